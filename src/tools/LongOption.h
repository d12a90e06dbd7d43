#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <tl/expected.hpp>
#include <vector>

namespace vorrendal {

// A long option with its value, given as "--name=value" or as "--name value".
struct LongOption {
  std::string_view name;  // views args[i], which outlives it
  std::string value;
};

// Reads the long option at args[i]; in the "--name value" form i moves on to the value.
// `known` says which names the tool takes. Both tools word their refusals alike.
template <typename Known>
tl::expected<LongOption, std::string> ReadLongOption(const std::vector<std::string>& args,
                                                     std::size_t& i, Known known) {
  const std::string& arg = args[i];
  const std::size_t eq = arg.find('=');
  const std::string_view name = std::string_view(arg).substr(0, eq);
  if (!known(name)) return tl::unexpected("unknown option '" + std::string(name) + "'");
  if (eq != std::string::npos) return LongOption{name, arg.substr(eq + 1)};
  if (i + 1 < args.size()) return LongOption{name, args[++i]};
  return tl::unexpected("'" + std::string(name) + "' needs a value");
}

}  // namespace vorrendal
