#pragma once
// A compiled HTML help file (.chm), read through chmlib. No Qt here.
//
// Besides reading the pages and pictures stored in it, it resolves the
// file's context map: the numbered topics that a program opens ("show topic
// 4"). The map lives in two internal objects: #IVB, a little-endian 32-bit
// byte count followed by pairs {context number, offset into #STRINGS}, and
// #STRINGS, NUL-terminated page paths. Help compilers store those paths in
// different forms (relative, or the absolute path of the folder they ran
// in), so the common prefix is worked out from the whole map; see
// ResolveContextPaths.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "help/ChmSitemap.h"

struct chmFile;

namespace vorrendal {

class ChmFile {
 public:
  // Objects larger than this are taken for damage rather than read.
  static constexpr std::uint64_t kMaxObjectSize = 64u * 1024u * 1024u;

  // Opens and checks a help file: it must hold its system data, a table of
  // contents and (when it has one) a sound context map whose pages exist.
  // Returns null with a sentence in error when it is missing or damaged.
  static std::unique_ptr<ChmFile> Open(const std::filesystem::path& file, std::string& error);

  ~ChmFile();
  ChmFile(const ChmFile&) = delete;
  ChmFile& operator=(const ChmFile&) = delete;

  const std::filesystem::path& Path() const { return path_; }

  // True when the file holds an object under this path (see NormalizePath).
  bool Contains(std::string_view path) const;

  // The whole object under this path, or nothing when it is absent or cannot
  // be read.
  std::optional<std::string> Read(std::string_view path) const;

  // The page of a context number ("/errornotice.htm"), or empty.
  std::string TopicOf(std::uint32_t contextId) const;
  const std::map<std::uint32_t, std::string>& ContextMap() const { return contextMap_; }

  // From the file's system data: the page shown first, the contents file,
  // the index file and the title (any may be empty; paths are normalised).
  const std::string& DefaultTopic() const { return defaultTopic_; }
  const std::string& ContentsFile() const { return contentsFile_; }
  const std::string& IndexFile() const { return indexFile_; }
  const std::string& Title() const { return title_; }

  // The table of contents, with every Local made an absolute path inside the file.
  const std::vector<ChmTopicEntry>& Contents() const { return contents_; }

  // The keyword index in its own order, paths made absolute as in the
  // contents. Empty when the file has none, or when it cannot be read: the
  // rest of the help is shown all the same.
  const std::vector<ChmTopicEntry>& Index() const { return index_; }

  // Every HTML page the file holds (.htm and .html, any letter case), in
  // the order the file lists them.
  std::vector<std::string> Pages() const;

  // A path as chmlib looks it up: '/' separators, a leading '/', "." and ".."
  // worked out (never above the root), and no "#anchor" or "?query" (a '#'
  // that starts a name, as in "/#SYSTEM", is kept).
  // Relative paths are taken relative to baseDir (a normalised folder path).
  static std::string NormalizePath(std::string_view path, std::string_view baseDir = "/");

  // Turns the raw #STRINGS paths of a context map into paths inside the file:
  // strips the longest prefix (ending in a separator) of the first path that
  // makes every path resolve with exists(). When no prefix does, the prefix
  // that resolves the most paths wins and the rest map to empty strings.
  static std::vector<std::string> ResolveContextPaths(
      const std::vector<std::string>& rawPaths,
      const std::function<bool(const std::string&)>& exists);

 private:
  ChmFile(std::filesystem::path path, chmFile* handle);
  bool LoadSystem(std::string& error);
  bool LoadContextMap(std::string& error);
  bool LoadContents(std::string& error);
  void LoadIndex();

  std::filesystem::path path_;
  chmFile* handle_;
  std::map<std::uint32_t, std::string> contextMap_;
  std::string defaultTopic_;
  std::string contentsFile_;
  std::string indexFile_;
  std::string title_;
  std::vector<ChmTopicEntry> contents_;
  std::vector<ChmTopicEntry> index_;
};

}  // namespace vorrendal
