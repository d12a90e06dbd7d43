#include "ChmFile.h"

#include <chm_lib.h>

#include <algorithm>
#include <cctype>
#include <system_error>
#include <utility>

namespace vorrendal {
namespace {

std::uint32_t ReadLE32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  }
  return value;
}

std::uint16_t ReadLE16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

// A NUL-terminated text field: the bytes up to the first NUL.
std::string CString(std::string_view bytes) {
  return std::string(bytes.substr(0, bytes.find('\0')));
}

std::string FolderOf(const std::string& normalizedPath) {
  return normalizedPath.substr(0, normalizedPath.rfind('/') + 1);
}

void NormalizeLocal(std::string& local, const std::string& baseDir) {
  if (local.empty()) return;
  // Keep an anchor: the viewer scrolls to it.
  const std::size_t hash = local.find('#');
  const std::string anchor = hash == std::string::npos ? "" : local.substr(hash);
  local = ChmFile::NormalizePath(local, baseDir) + anchor;
}

void NormalizeLocals(std::vector<ChmTopicEntry>& entries, const std::string& baseDir) {
  for (ChmTopicEntry& entry : entries) {
    NormalizeLocal(entry.local, baseDir);
    for (ChmPageLink& page : entry.pages) NormalizeLocal(page.local, baseDir);
    NormalizeLocals(entry.children, baseDir);
  }
}

bool IsPagePath(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos) return false;
  std::string extension(path.substr(dot + 1));
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == "htm" || extension == "html";
}

int CollectPage(chmFile*, chmUnitInfo* info, void* context) {
  if (IsPagePath(info->path))
    static_cast<std::vector<std::string>*>(context)->push_back(info->path);
  return CHM_ENUMERATOR_CONTINUE;
}

}  // namespace

ChmFile::ChmFile(std::filesystem::path path, chmFile* handle)
    : path_(std::move(path)), handle_(handle) {}

ChmFile::~ChmFile() { chm_close(handle_); }

std::unique_ptr<ChmFile> ChmFile::Open(const std::filesystem::path& file, std::string& error) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) {
    error = "The help file was not found.";
    return nullptr;
  }
  if (!std::filesystem::is_regular_file(file, ec)) {
    error = "The help file is not a regular file.";
    return nullptr;
  }
  chmFile* handle = chm_open(file.string().c_str());
  if (handle == nullptr) {
    error = "The help file cannot be read: it is not a compiled help file, or it is damaged.";
    return nullptr;
  }
  std::unique_ptr<ChmFile> chm(new ChmFile(file, handle));
  if (!chm->LoadSystem(error) || !chm->LoadContextMap(error) || !chm->LoadContents(error)) {
    return nullptr;
  }
  chm->LoadIndex();
  return chm;
}

std::string ChmFile::NormalizePath(std::string_view path, std::string_view baseDir) {
  // "#anchor" and "?query" end a link, but the file's own objects have names
  // like "/#SYSTEM": a '#' right after a separator belongs to the name.
  path = path.substr(0, path.find('?'));
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '#' && (i == 0 || (path[i - 1] != '/' && path[i - 1] != '\\'))) {
      path = path.substr(0, i);
      break;
    }
  }
  std::string joined;
  if (path.empty() || (path.front() != '/' && path.front() != '\\')) {
    joined.assign(baseDir);
    joined += '/';
  }
  joined += path;
  std::replace(joined.begin(), joined.end(), '\\', '/');

  std::vector<std::string_view> parts;
  const std::string_view all(joined);
  std::size_t start = 0;
  while (start <= all.size()) {
    std::size_t end = all.find('/', start);
    if (end == std::string_view::npos) end = all.size();
    const std::string_view part = all.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string out;
  for (const std::string_view part : parts) {
    out += '/';
    out += part;
  }
  return out.empty() ? "/" : out;
}

std::vector<std::string> ChmFile::ResolveContextPaths(
    const std::vector<std::string>& rawPaths,
    const std::function<bool(const std::string&)>& exists) {
  std::vector<std::string> paths = rawPaths;
  for (std::string& p : paths) std::replace(p.begin(), p.end(), '\\', '/');
  std::vector<std::string> resolved(paths.size());
  if (paths.empty()) return resolved;

  // Candidate prefixes: every leading part of the first path that ends in a
  // separator, longest first, then no prefix at all.
  std::vector<std::size_t> prefixLengths;
  for (std::size_t i = paths[0].size(); i > 0; --i) {
    if (paths[0][i - 1] == '/') prefixLengths.push_back(i);
  }
  prefixLengths.push_back(0);

  auto resolveWith = [&](std::size_t length, std::vector<std::string>* out) {
    const std::string_view prefix = std::string_view(paths[0]).substr(0, length);
    std::size_t count = 0;
    for (std::size_t i = 0; i < paths.size(); ++i) {
      if (!std::string_view(paths[i]).starts_with(prefix)) continue;
      const std::string candidate = NormalizePath(std::string_view(paths[i]).substr(length));
      if (candidate.size() > 1 && exists(candidate)) {
        ++count;
        if (out != nullptr) (*out)[i] = candidate;
      }
    }
    return count;
  };

  std::size_t bestLength = 0;
  std::size_t bestCount = 0;
  bool any = false;
  for (const std::size_t length : prefixLengths) {
    const std::size_t count = resolveWith(length, nullptr);
    if (!any || count > bestCount) {
      bestLength = length;
      bestCount = count;
      any = true;
    }
    if (count == paths.size()) break;
  }
  resolveWith(bestLength, &resolved);
  return resolved;
}

std::vector<std::string> ChmFile::Pages() const {
  std::vector<std::string> pages;
  chm_enumerate(handle_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, CollectPage, &pages);
  return pages;
}

bool ChmFile::Contains(std::string_view path) const {
  const std::string normalized = NormalizePath(path);
  if (normalized.size() >= CHM_MAX_PATHLEN) return false;
  chmUnitInfo info{};
  return chm_resolve_object(handle_, normalized.c_str(), &info) == CHM_RESOLVE_SUCCESS;
}

std::optional<std::string> ChmFile::Read(std::string_view path) const {
  const std::string normalized = NormalizePath(path);
  if (normalized.size() >= CHM_MAX_PATHLEN) return std::nullopt;
  chmUnitInfo info{};
  if (chm_resolve_object(handle_, normalized.c_str(), &info) != CHM_RESOLVE_SUCCESS) {
    return std::nullopt;
  }
  if (info.length > kMaxObjectSize) return std::nullopt;
  std::string data(static_cast<std::size_t>(info.length), '\0');
  if (info.length == 0) return data;
  const LONGINT64 got =
      chm_retrieve_object(handle_, &info, reinterpret_cast<unsigned char*>(data.data()), 0,
                          static_cast<LONGINT64>(info.length));
  if (got != static_cast<LONGINT64>(info.length)) return std::nullopt;
  return data;
}

std::string ChmFile::TopicOf(std::uint32_t contextId) const {
  const auto it = contextMap_.find(contextId);
  return it == contextMap_.end() ? std::string() : it->second;
}

bool ChmFile::LoadSystem(std::string& error) {
  const std::optional<std::string> system = Read("/#SYSTEM");
  if (!system || system->size() < 4) {
    error = "The help file is damaged: its system data cannot be read.";
    return false;
  }
  // A version number, then records {code, length, data}.
  std::size_t at = 4;
  while (at + 4 <= system->size()) {
    const std::uint16_t code = ReadLE16(*system, at);
    const std::uint16_t length = ReadLE16(*system, at + 2);
    at += 4;
    if (at + length > system->size()) break;
    const std::string_view data = std::string_view(*system).substr(at, length);
    at += length;
    switch (code) {
      case 0:
        contentsFile_ = NormalizePath(CString(data));
        break;
      case 1:
        indexFile_ = NormalizePath(CString(data));
        break;
      case 2:
        defaultTopic_ = NormalizePath(CString(data));
        break;
      case 3:
        title_ = CString(data);
        break;
      default:
        break;
    }
  }
  if (contentsFile_.size() <= 1) {
    error = "The help file has no table of contents.";
    return false;
  }
  return true;
}

bool ChmFile::LoadContextMap(std::string& error) {
  const std::optional<std::string> ivb = Read("/#IVB");
  if (!ivb) {
    // A help file without numbered topics; only the contents can be shown.
    if (Contains("/#IVB")) {
      error = "The help file is damaged: its topic map cannot be read.";
      return false;
    }
    return true;
  }
  const std::optional<std::string> strings = Read("/#STRINGS");
  if (ivb->size() < 4 || !strings) {
    error = "The help file is damaged: its topic map cannot be read.";
    return false;
  }
  const std::size_t declared = ReadLE32(*ivb, 0);
  const std::size_t pairs = std::min(declared, ivb->size() - 4) / 8;
  std::vector<std::uint32_t> ids;
  std::vector<std::string> raw;
  for (std::size_t i = 0; i < pairs; ++i) {
    const std::uint32_t id = ReadLE32(*ivb, 4 + 8 * i);
    const std::uint32_t offset = ReadLE32(*ivb, 8 + 8 * i);
    if (offset >= strings->size() || strings->find('\0', offset) == std::string::npos) {
      error = "The help file is damaged: its topic map points outside its text.";
      return false;
    }
    ids.push_back(id);
    raw.push_back(strings->substr(offset, strings->find('\0', offset) - offset));
  }
  const std::vector<std::string> pages =
      ResolveContextPaths(raw, [this](const std::string& p) { return Contains(p); });
  for (std::size_t i = 0; i < ids.size(); ++i) {
    if (pages[i].empty()) {
      error = "The help file is damaged: topic " + std::to_string(ids[i]) +
              " names a page that it does not hold.";
      return false;
    }
    contextMap_.emplace(ids[i], pages[i]);
  }
  return true;
}

bool ChmFile::LoadContents(std::string& error) {
  const std::optional<std::string> hhc = Read(contentsFile_);
  if (!hhc) {
    error = "The help file is damaged: its table of contents cannot be read.";
    return false;
  }
  contents_ = ParseSitemap(*hhc);
  if (contents_.empty()) {
    error = "The help file is damaged: its table of contents is empty.";
    return false;
  }
  NormalizeLocals(contents_, FolderOf(contentsFile_));
  if (defaultTopic_.size() <= 1 || !Contains(defaultTopic_)) {
    defaultTopic_.clear();
    for (const ChmTopicEntry& entry : contents_) {
      if (!entry.local.empty()) {
        defaultTopic_ = NormalizePath(entry.local);
        break;
      }
    }
  }
  return true;
}

void ChmFile::LoadIndex() {
  if (indexFile_.size() <= 1) {
    indexFile_.clear();
    return;
  }
  const std::optional<std::string> hhk = Read(indexFile_);
  if (!hhk) return;
  index_ = ParseSitemap(*hhk);
  NormalizeLocals(index_, FolderOf(indexFile_));
}

}  // namespace vorrendal
