#pragma once

#include <string>
#include <utility>

namespace kelvora::render {

// Exit statuses of kelvora-render.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;    // run-time error while drawing, or failure while writing
inline constexpr int kExitBadInput = 2;  // includes an output file that cannot be created

struct JobResult {
    int status = kExitDone;
    std::string message;  // one line for stderr when the job failed
    std::string notice;   // one line for stderr about a job that succeeded
};

inline JobResult FailedJob(int status, std::string message)
{
    JobResult result;
    result.status = status;
    result.message = std::move(message);
    return result;
}

}  // namespace kelvora::render
