// vorrendal-decode: the warranty plate decoder for the command line.
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#else
#include <unistd.h>

#include <csignal>
#endif

#include "DecodeTool.h"

int main(int argc, char** argv) {
#ifndef _WIN32
  // A reader that goes away (| head -1) makes the next write fail, which the
  // tool tells and stops at; it must not end the tool silently.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  vorrendal::decodetool::ToolEnvironment env{std::cin,       std::cout,      std::cerr,
                                             isatty(0) == 1, isatty(2) == 1, {}};
  return vorrendal::decodetool::RunDecodeTool(args, env);
}
