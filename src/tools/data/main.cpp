// vorrendal-data: packs the description sources into Data.dat, unpacks it
// back into them, and checks a Data.dat.
#include <iostream>
#include <string>
#include <vector>

#include "DataTool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return vorrendal::DataTool::Run(args, std::cout, std::cerr);
}
