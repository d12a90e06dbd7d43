// Everything the built vorrendal-decode writes for 10,000 plates from a fixed seed and for the
// shipped samples (batches in each format, single plates, descriptions intact, damaged, missing),
// kept as one SHA-256. On a mismatch the output is left in VORRENDAL_BIN_DIR/golden-plates/.
#include <gtest/gtest.h>
#include <nettle/base16.h>
#include <nettle/sha2.h>

#include <cstdint>
#include <string_view>

#include "../data/ScratchFiles.h"
#include "SpawnedTool.h"

namespace vorrendal::testing {
namespace {

namespace fs = std::filesystem;

// The SHA-256 of Transcript() as the decoder wrote it when this test was made.
constexpr const char* kKeptDigest =
    "a1caad86d8ce7dc1f443ed69454112e5ad4ee9629f1df5c5399d6cd8f20dbf79";

constexpr int kPlates = 10000;

using Pool = std::vector<std::string>;  // "Ø" and "é" (UTF-8) count as one

// splitmix64: the same numbers on every platform.
struct Numbers {
  std::uint64_t state;
  std::uint64_t Next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }
  bool OneIn(std::size_t n) { return Below(n) == 0; }
  std::string Of(const Pool& pool) { return pool[Below(pool.size())]; }
  std::string Of(std::string_view pool) { return std::string(1, pool[Below(pool.size())]); }
};

std::string Digits(Numbers& n, std::size_t count) {
  std::string out;
  while (out.size() < count) out += n.Of("0123456789");
  return out;
}

// A serial number of one of the plate styles, or one whose year code cannot be read.
std::string Serial(Numbers& n) {
  const std::string plants = "ABCDEGHJKLMPSTWXZ5";
  std::string serial;
  const std::size_t kind = n.Below(10);
  if (kind == 0) {  // 1959: engine letter, year digit, plant, model letter, unit
    serial =
        n.Of("ABCDEFGHJKMRSTXZ") + "9" + n.Of(plants) + n.Of("ABCDEFGHJKLMNPRSX5") + Digits(n, 6);
  } else if (kind == 1) {  // a year code that cannot be read
    serial = n.Of(Pool{"X5", "C5", " 5", "*", "C", "\xC3\xA9", ""}) + n.Of(plants) + Digits(n, 2) +
             n.Of("CXZ") + Digits(n, 6);
  } else {  // 1960-1974: year digit, plant, two model digits, engine, unit
    serial = Digits(n, 1) + n.Of(plants) + n.Of("34567812") + n.Of("123456789") +
             n.Of("ABCDEFGHJKLMNPQRSTVXYZ24689") + Digits(n, 6);
  }
  if (n.OneIn(6)) serial[1 + n.Below(serial.size() - 1)] = n.Of("AX*")[0];  // a piece misshapen
  if (n.OneIn(8)) {                                                         // short
    std::size_t cut = n.Below(serial.size() + 1);
    while (cut > 0 && (static_cast<unsigned char>(serial[cut]) & 0xC0) == 0x80) --cut;
    serial.resize(cut);
  }
  return serial.substr(0, 11);
}

// The year column: named for a digit 0 to 4 (now and then not, or wrongly), seldom for the others.
std::string YearColumn(Numbers& n, const std::string& serial) {
  if (serial.empty() || serial[0] < '0' || serial[0] > '4') return n.OneIn(20) ? "1965" : "";
  const std::size_t kind = n.Below(12);
  if (kind == 0) return "";
  if (kind == 1) return n.Of(Pool{"1965", "72", "x", "1959"});
  return std::to_string((n.OneIn(2) ? 1960 : 1970) + (serial[0] - '0'));
}

std::vector<std::string> Plate(Numbers& n) {
  const std::string serial = Serial(n);
  std::vector<std::string> codes = {
      serial,
      n.Of("5678") + n.Of("1234678") + n.Of("ABCDEX"),
      n.Of(Pool{"A", "M", "K", "Q", "MA", "AB", "7A", "4A", "46", "5", "28", "\xC3\x98", "K7", "1B",
                "8A"}),
      n.Of(
          Pool{"11", "41", "21", "5", "3E", "A1", "C3", "L4", "N8", "1A", "2A", "E7", "123", "X9"}),
      Digits(n, 1 + n.Below(2)) + n.Of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"),
      n.Of(Pool{"21", "33", "42", "5", "A1", "B2", "D4", "81", "99", "Q1"}),
      n.Of("1234567UWXZA8"),
      n.Of(Pool{"0", "1", "2", "3", "4", "5", "A", "B", "C", "D", "E", "9", "\xC3\x98", "\xC3\xB8",
                " "}),
  };
  if (n.OneIn(9)) codes[1].resize(n.Below(3));  // a body of one or two characters
  if (n.OneIn(7)) codes[4] = n.Of(Pool{"123", " 9A", "9A ", "9a", "12"});
  // Codes on the edges of the shapes a year allows, now and then in one box.
  static const Pool kOdd[] = {{"A54", "545", "5A4", "54", "5"},
                              {"7-", "*A", "A4", "M4", "4", "46", "5", "KX", "3"},
                              {"A2", "2A", "a2", "A", "7", "12", "123"},
                              {"12I", "12O", "20W", "9N", "31M", "12", "1A"},
                              {"5A", "A5", "a5", "5", "Z9", "*1"},
                              {"#", "a", "8", "A"},
                              {"#", "a", "9", "\xC3\x98"}};
  if (n.OneIn(3)) {
    const std::size_t box = 1 + n.Below(std::size(kOdd));
    codes[box] = n.Of(kOdd[box - 1]);
  }
  for (std::size_t i = 1; i < codes.size(); ++i)
    if (n.OneIn(8)) codes[i].clear();  // a blank box
  if (n.OneIn(6)) {                    // typed in lower case
    for (std::string& code : codes)
      for (char& c : code) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  codes.push_back(YearColumn(n, serial));
  return codes;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
    text.replace(at, from.size(), to), at += to.size();
  return text;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(" ,\"") == std::string::npos) return text;
  return "\"" + Replaced(text, "\"", "\"\"") + "\"";
}

// Each run as its command line (with the scratch, build and source
// directories named alike on every machine), its status and what it wrote.
struct Transcript {
  void Run(const std::vector<std::string>& args, const std::string& in = "") {
    const Spawned run = SpawnTool(args, SpawnSetup(in));
    std::string line = "$";
    for (const std::string& arg : args) line += " " + arg;
    text += Anonymous(line) + "\nstatus " + std::to_string(run.status) + " signal " +
            std::to_string(run.signal) + "\nout " + std::to_string(run.out.size()) + "\n" +
            run.out + "err\n" + Anonymous(run.err);
  }
  std::string Anonymous(std::string line) const {  // the build tree may lie in the source tree
    line = Replaced(std::move(line), scratch, "<scratch>");
    line = Replaced(std::move(line), VORRENDAL_BIN_DIR, "<bin>");
    return Replaced(std::move(line), VORRENDAL_SOURCE_DIR, "<source>");
  }
  std::string scratch, text;
};

std::string Sha256(const std::string& text) {
  sha256_ctx context;
  sha256_init(&context);
  sha256_update(&context, text.size(), reinterpret_cast<const std::uint8_t*>(text.data()));
  std::uint8_t digest[SHA256_DIGEST_SIZE];
  sha256_digest(&context, sizeof digest, digest);
  std::string hex(BASE16_ENCODE_LENGTH(sizeof digest), '0');
  base16_encode_update(hex.data(), sizeof digest, digest);
  return hex;
}

TEST(GoldenPlates, EverythingTheDecoderWritesIsTheKeptBytes) {
  const ScratchDir dir;
  const fs::path& scratch = dir.path;
  const std::string data = VORRENDAL_BIN_DIR "/Data.dat";
  // The last block cut short: 1974 fails to load, the other years do not.
  const std::string damaged = (scratch / "Damaged.dat").string();
  const std::string whole = ReadFile(data);
  ASSERT_GT(whole.size(), 100u);
  std::ofstream(damaged, std::ios::binary) << whole.substr(0, whole.size() - 5);

  Numbers n{20260612};
  std::vector<std::vector<std::string>> plates;
  std::string csv = "serial,body,color,trim,date,dso,trans,axle,year\r\n";
  for (int i = 0; i < kPlates; ++i) {
    plates.push_back(Plate(n));
    for (std::size_t f = 0; f < plates.back().size(); ++f)
      csv += (f == 0 ? "" : ",") + CsvField(plates.back()[f]);
    csv += "\r\n";
  }

  Transcript transcript{scratch.string(), {}};
  const std::string samples = VORRENDAL_SOURCE_DIR "/resources/samples/plates.csv";
  for (const char* format : {"json", "csv", "report"}) {
    transcript.Run({"--batch", "-", "--format", format, "--data", data}, csv);
    transcript.Run({"--batch", samples, "--format", format, "--data", data});
  }
  transcript.Run({"--batch", "-", "--data", damaged}, csv);
  transcript.Run({"--batch", "-", "--format", "csv", "--decade", "1970s", "--data", data}, csv);
  transcript.Run({"--batch", samples, "--format", "report", "--data", "/nonexistent/Data.dat"});
  // Every 25th plate alone: every 100th as JSON, every 200th against the damaged descriptions.
  for (int i = 0; i < kPlates; i += 25) {
    std::vector<std::string> args = {"--data", i % 200 == 0 ? damaged : data};
    if (i % 100 == 0) args.insert(args.end(), {"--format", "json"});
    if (const std::string& year = plates[i].back(); !year.empty())
      args.insert(args.end(), {"--year", year});
    args.insert(args.end(), plates[i].begin(), plates[i].end() - 1);
    transcript.Run(args);
  }

  const std::string digest = Sha256(transcript.text);
  if (digest != kKeptDigest) {
    const fs::path actual = fs::path(VORRENDAL_BIN_DIR) / "golden-plates";
    fs::create_directories(actual);
    std::ofstream(actual / "transcript.txt", std::ios::binary) << transcript.text;
    ADD_FAILURE() << "SHA-256 " << digest << ", kept " << kKeptDigest << "; the output is in "
                  << actual / "transcript.txt";
  }
}

}  // namespace
}  // namespace vorrendal::testing
