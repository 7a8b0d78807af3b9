#pragma once

#include <string>
#include <string_view>

// What closing left on the clipboard.
constexpr int KEEP_NOT_NEEDED = 0; // nothing of ours there, or a clipboard manager keeps it
constexpr int KEEP_SERVING = 1;    // the keeper program now serves the text
constexpr int KEEP_FAILED = -1;    // the text goes with the program: no keeper, or it failed

// On X11 the clipboard's text lives in the program that placed it. Called once the windows are
// closed, before the application object goes: when this process still owns the clipboard with
// text and no clipboard manager will take it at exit, hands the text to the keeper program (next
// to this executable, else in the installed libexec folder), waiting a bounded time for it to
// take the clipboard. Anywhere else (Wayland, offscreen) nothing is started.
int PfKeepClipboard();

// Starts `strProgram` with `utf8` on its standard input and /dev/null as its output and errors,
// and waits at most nWaitMs for its first process to end. KEEP_SERVING when that process reports
// KEEPER_SERVING; KEEP_FAILED when the program cannot be started, does not take the whole text,
// reports anything else or does not end in time (it is then killed). The started process is
// reaped in every case: no zombie is left behind.
int PfStartKeeper(const std::string& strProgram, std::string_view utf8, int nWaitMs);
