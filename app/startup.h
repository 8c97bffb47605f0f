// The program's start: one copy per user, the forms, the message loop.
#pragma once

// Returns the exit code: 1 when another copy is running, else 0.
int WinMain(int argc, char** argv);
