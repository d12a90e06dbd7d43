// Placeholder until the Data.dat reader lands: every year fails to load.
#include "clsDataFile.h"

namespace vorrendal {

class clsCrypto {};
class clsZLib {};

clsDataFile::clsDataFile(std::filesystem::path file) : file_(std::move(file)) {}
clsDataFile::~clsDataFile() = default;

bool clsDataFile::ReadData(const std::string&, KeyedTable*, std::string&) { return false; }
bool clsDataFile::UnpackBlock(std::string&) { return false; }

}  // namespace vorrendal
