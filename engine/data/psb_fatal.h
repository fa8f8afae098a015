#pragma once
// The PSB reader's fatal conditions. A damaged document or a misuse of the
// reader (a missing required key, a conversion a value cannot make) ends the
// process: the message goes to the standard output and the process aborts.
// A fuzzer or a tool that must survive a damaged document installs a handler
// that throws instead.
//
// Threads: install the handler at start-up, before any document is read;
// psbFatal may then be called from any thread.

using PSBFatalHandler = void (*)(const char* message);

// Installs a handler and answers the previous one; nullptr restores the
// default (print, then abort). A handler must not return: if it does, the
// process aborts all the same.
PSBFatalHandler setPSBFatalHandler(PSBFatalHandler handler);

[[noreturn]] void psbFatal(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A document whose bytes contradict themselves: an offset, count or index
// that reaches outside the document.
[[noreturn]] void psbBroken(const char* what);
