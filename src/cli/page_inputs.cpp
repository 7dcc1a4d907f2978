#include "cli/page_inputs.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/page_protocol.h"
#include "cli/printable.h"
#include "directory/names_file.h"
#include "paging/snpp_protocol.h"

namespace snpp::cli {
namespace {

#ifdef _WIN32
int ReadInput(char* buffer, unsigned size) { return ::_read(0, buffer, size); }
#else
ssize_t ReadInput(char* buffer, std::size_t size) { return ::read(STDIN_FILENO, buffer, size); }
#endif

}  // namespace

Input ReadStandardInput(const char* what) {
  Input in;
  char buffer[4096];
  for (;;) {
    const auto n = ReadInput(buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return {{}, std::string("cannot read standard input: ") + std::strerror(errno)};
    if (n == 0) break;
    in.text.append(buffer, static_cast<std::size_t>(n));
    if (in.text.size() > kMostInputBytes) {
      return {{}, std::string("the ") + what + " on standard input is far too long"};
    }
  }
  return in;
}

std::vector<RecipientArg> ReadRecipientsFile(const std::string& name, std::string& error) {
  Input in;
  if (name == "-") {
    in = ReadStandardInput("recipient list");
  } else {
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (f == nullptr) {
      error = "cannot read the recipients " + Printable(name) + ": " + std::strerror(errno);
      return {};
    }
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0 && in.text.size() <= kMostInputBytes) {
      in.text.append(buffer, n);
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) in.error = "cannot read the recipients " + Printable(name);
    if (in.text.size() > kMostInputBytes) in.error = "the recipients " + Printable(name) + " are far too long";
  }
  error = in.error;
  std::vector<RecipientArg> out;
  std::string_view rest = in.text;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string line(rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
    line.erase(0, line.find_first_not_of(" \t"));
    if (!line.empty() && line.front() != '#') out.push_back({line, false});
  }
  return out;
}

namespace {

// The names list of the settings: the given file, or the first of the
// usual places that has one.
struct NamesList {
  std::vector<std::string> entries;
  std::string name;
  std::string problem;
};

NamesList LoadNames(const PageSettings& settings) {
  NamesList list;
  for (const std::filesystem::path& path : settings.names) {
    snpp::NamesFile file(path);
    list.entries = file.Load();
    list.name = Printable(path.string());
    if (file.LoadState() == snpp::NamesLoad::Incomplete) list.problem = "cannot read the names list " + list.name;
    if (file.LoadState() != snpp::NamesLoad::Missing) return list;
  }
  list.problem = "there is no names list " + list.name;
  if (!settings.namesGiven) list.problem = "there is no names list (looked for ./names.txt and ~/names.txt)";
  return list;
}

}  // namespace

std::vector<Recipient> FindRecipients(const std::vector<RecipientArg>& given, const PageSettings& settings,
                                      std::vector<std::string>& errors) {
  std::optional<NamesList> list;
  std::vector<Recipient> found;
  for (const RecipientArg& arg : given) {
    RecipientMatch match;
    if (arg.exactId) {
      match.recipient = {arg.text, {}, arg.text};
    } else {
      if (!LooksLikePagerId(arg.text) && !list) list = LoadNames(settings);
      if (!LooksLikePagerId(arg.text) && !list->problem.empty()) {
        errors.push_back(list->problem + " to look up '" + Printable(arg.text) + "' in");
        continue;
      }
      match = MatchRecipient(arg.text, list ? list->entries : std::vector<std::string>{});
      if (!match.error.empty()) match.error = list->name + ": " + match.error;
    }
    if (!match.error.empty()) {
      errors.push_back(match.error);
    } else if (snpp::PageCommand(match.recipient.pagerId).size() > kMaxCommandLine) {
      errors.push_back("the pager ID '" + Printable(arg.text).substr(0, 20) + "...' is too long for a PAGE line");
    } else {
      found.push_back(std::move(match.recipient));
    }
  }
  return found;
}

}  // namespace snpp::cli
