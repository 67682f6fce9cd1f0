#pragma once

#include <QString>
#include <functional>

// What the fuzz targets share: the application object the core needs, the text codec the
// application runs with, silence from the debug log, and a hard stop that libFuzzer records
// together with the input that caused it.
namespace fuzz {

// Once per process, from LLVMFuzzerInitialize.
void start(const char* programName);

// Runs `construct` with the working directory in a temporary directory that lives as long as
// the process, so that files a model opens there (devices.db) never land where the fuzzer was
// started; the previous working directory is restored afterwards.
void inScratchDirectory(const std::function<void()>& construct);

// A broken invariant: prints what broke and aborts.
[[noreturn]] void fail(const QString& what);

} // namespace fuzz
