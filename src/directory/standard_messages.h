#pragma once
// The eight standard messages, kept in snppCl.ini, section "General", keys
// "message1" to "message8". Read once at start, written by the configuration
// dialog's OK.

#include <array>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace snpp {

// A profile write that failed: what() is "Unable to write to <file name>".
class EProfileWrite : public std::runtime_error {
 public:
  explicit EProfileWrite(const std::string& fileName);
};

class StandardMessages {
 public:
  static constexpr int kCount = 8;
  using Texts = std::array<std::string, kCount>;

  // Starts with the defaults; file defaults to SettingsFilePath(), legacy to
  // LegacySettingsFilePath(). While file does not exist, legacy (when given)
  // is read instead, and the first write starts file as a copy of it.
  StandardMessages();
  explicit StandardMessages(std::filesystem::path file, std::filesystem::path legacy = {});

  static std::string_view DefaultMessage(int n);  // n = 1 … 8

  // Each message from its key, or its default when the file, section or key
  // is missing. A key present with an empty value gives an empty message.
  void Read();

  // Takes the texts as the messages, then writes them in order 1 … 8. The
  // first failing write throws EProfileWrite; the later ones are skipped, the
  // earlier ones stay written, and the messages in memory stay replaced.
  void Write(const Texts& texts);
  void Write();  // writes the messages held now

  // n = 1 … 8; std::out_of_range otherwise.
  const std::string& message(int n) const;
  void setMessage(int n, std::string text);

  const Texts& messages() const { return messages_; }
  const std::filesystem::path& File() const { return file_; }

 private:
  bool AdoptLegacy() const;

  std::filesystem::path file_;
  std::filesystem::path legacy_;
  Texts messages_;
};

}  // namespace snpp
