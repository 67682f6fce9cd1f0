#pragma once

#include "cli.h"

// The verbs of kvctl; each returns its exit code.
int runDiscover(const cli::Options& options);
int runStatus(const cli::Options& options);
int runDump(const cli::Options& options);
int runSet(const cli::Options& options);
int runSend(const cli::Options& options);
int runPreset(const cli::Options& options);
int runServe(const cli::Options& options);
