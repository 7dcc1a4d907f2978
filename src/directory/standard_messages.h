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

  // Takes the texts as the messages, a line break in them (CR LF, CR or LF)
  // made one blank, since a value is one line of the file. Then writes, in
  // order 1 … 8, each message that changed since it was read or last
  // written, and each whose key the file lacks; an unchanged message is left
  // as it is stored, so a hand-edited value longer than a read returns is
  // never cut. The first failing write throws EProfileWrite; the later ones
  // are skipped, the earlier ones stay written, the messages in memory stay
  // replaced, and the ones not written are written by the next Write.
  void Write(const Texts& texts);
  void Write();  // writes the messages held now, as above

  // n = 1 … 8; std::out_of_range otherwise.
  const std::string& Message(int n) const;
  void SetMessage(int n, std::string text);  // as Write(texts) takes it, not written

  // A text as it can be stored: each line break one blank.
  static std::string OneLine(std::string_view text);

  const Texts& Messages() const { return messages_; }
  const std::filesystem::path& File() const { return file_; }

 private:
  bool AdoptLegacy() const;

  std::filesystem::path file_;
  std::filesystem::path legacy_;
  Texts messages_;
  // Messages the file may not hold yet: all until the first Read.
  std::array<bool, kCount> unwritten_;
};

}  // namespace snpp
