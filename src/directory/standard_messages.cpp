#include "directory/standard_messages.h"

#include <system_error>

#include "directory/file_io.h"
#include "directory/profile_file.h"

namespace snpp {
namespace {

constexpr std::string_view kSection = "General";

constexpr std::array<std::string_view, StandardMessages::kCount> kDefaults = {
    "Click the \"Configure\" button to set these messages",
    "Call home",
    "Call the office",
    "Call me",
    "I love you",
    "See you soon",
    "Break a leg",
    "Don't call",
};

std::size_t IndexOf(int n) {
  if (n < 1 || n > StandardMessages::kCount) {
    throw std::out_of_range("standard message number out of range: " + std::to_string(n));
  }
  return static_cast<std::size_t>(n - 1);
}

std::string KeyOf(int n) { return "message" + std::to_string(n); }

}  // namespace

EProfileWrite::EProfileWrite(const std::string& fileName)
    : std::runtime_error("Unable to write to " + fileName) {}

StandardMessages::StandardMessages() : StandardMessages(SettingsFilePath(), LegacySettingsFilePath()) {}

StandardMessages::StandardMessages(std::filesystem::path file, std::filesystem::path legacy)
    : file_(std::move(file)), legacy_(std::move(legacy)) {
  for (int n = 1; n <= kCount; ++n) messages_[IndexOf(n)] = DefaultMessage(n);
  unwritten_.fill(true);
}

std::string_view StandardMessages::DefaultMessage(int n) { return kDefaults[IndexOf(n)]; }

void StandardMessages::Read() {
  std::error_code ec;
  const bool useLegacy = !legacy_.empty() && !std::filesystem::exists(file_, ec) && !ec;
  const std::filesystem::path& from = useLegacy ? legacy_ : file_;
  for (int n = 1; n <= kCount; ++n) {
    messages_[IndexOf(n)] =
        ReadProfileString(kSection, KeyOf(n), DefaultMessage(n), kProfileBufferSize, from);
  }
  unwritten_.fill(false);
}

// The new file starts as the old one byte for byte, so that its other
// sections and keys carry over. False when the old one exists but cannot be
// copied.
bool StandardMessages::AdoptLegacy() const {
  std::error_code ec;
  if (legacy_.empty() || std::filesystem::exists(file_, ec) || ec) return true;
  const FileRead old = ReadWholeFile(legacy_);
  if (old.status == ReadStatus::Missing) return true;
  if (old.status != ReadStatus::Complete) return false;
  if (file_.has_parent_path()) std::filesystem::create_directories(file_.parent_path(), ec);
  return ReplaceFile(file_, old.bytes);
}

void StandardMessages::Write(const Texts& texts) {
  for (int n = 1; n <= kCount; ++n) SetMessage(n, texts[IndexOf(n)]);
  Write();
}

void StandardMessages::Write() {
  if (!AdoptLegacy()) throw EProfileWrite(file_.filename().string());
  for (int n = 1; n <= kCount; ++n) {
    const std::size_t i = IndexOf(n);
    if (!unwritten_[i] && !ProfileKeyMissing(kSection, KeyOf(n), file_)) continue;
    if (!WriteProfileString(kSection, KeyOf(n), messages_[i], file_)) {
      throw EProfileWrite(file_.filename().string());
    }
    unwritten_[i] = false;
  }
}

std::string StandardMessages::OneLine(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;  // the LF makes the blank
    line.push_back(c == '\r' || c == '\n' ? ' ' : c);
  }
  return line;
}

const std::string& StandardMessages::Message(int n) const { return messages_[IndexOf(n)]; }

void StandardMessages::SetMessage(int n, std::string text) {
  std::string line = OneLine(text);
  const std::size_t i = IndexOf(n);
  if (line == messages_[i]) return;
  messages_[i] = std::move(line);
  unwritten_[i] = true;
}

}  // namespace snpp
