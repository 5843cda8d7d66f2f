#pragma once

namespace quillabe {

// Starts the windows and runs the message loop until the program ends.
int RunDesktop(int argc, char** argv);

} // namespace quillabe
