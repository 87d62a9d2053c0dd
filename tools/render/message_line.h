#pragma once

#include <string>

namespace kelvora::render {

// A message as one line of UTF-8 text, the same from the desktop and the
// WebAssembly builds: a control character (a newline in a quoted argument
// or a file name) is written as an escape such as \x0a, and bytes that are
// not UTF-8 become U+FFFD, one for each maximal part of a broken sequence,
// as a browser or Node decodes them (Node hands the WebAssembly build its
// arguments already decoded so).
std::string MessageLine(const std::string& message);

}  // namespace kelvora::render
