#pragma once

class QApplication;

namespace kelvora {

// Everything the program sets up before its first window: its name, icon
// and Japanese font, and the handler that reports a run-time error and
// ends the program. Shared by the program and its start-up benchmark.
void SetUpProgram(QApplication& app);

// Whether there is a display for the windows to appear on.
bool DisplayAvailable();

}  // namespace kelvora
