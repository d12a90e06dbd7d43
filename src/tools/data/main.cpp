// vorrendal-data: packs the description sources into Data.dat, unpacks it
// back into them, checks a Data.dat and lists its codes.
#include <iostream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <csignal>
#endif

#include "DataTool.h"

int main(int argc, char** argv) {
#ifndef _WIN32
  // A reader that goes away (list | head -1) makes the output fail, which the
  // tool tells; it must not end the tool silently.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  const std::vector<std::string> args(argv + 1, argv + argc);
  return vorrendal::DataTool::Run(args, std::cout, std::cerr);
}
