#include "cli/page_report.h"

#include <algorithm>
#include <cstdio>

#include "cli/printable.h"
#include "paging/snpp_protocol.h"

namespace snpp::cli {
namespace {

void AppendEscape(std::string& out, unsigned value) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "\\u%04x", value);
  out += buf;
}

}  // namespace

int RunStatus(const std::vector<PageResult>& results) {
  const auto count = [&](Outcome o) {
    return std::count_if(results.begin(), results.end(), [o](const PageResult& r) { return r.outcome == o; });
  };
  const auto accepted = count(Outcome::Accepted);
  if (accepted + count(Outcome::Rejected) < static_cast<long>(results.size())) return kNoConnection;
  if (accepted == static_cast<long>(results.size())) return kAllAccepted;
  return accepted == 0 ? kNoneAccepted : kSomeRejected;
}

std::string_view OutcomeWord(Outcome outcome) {
  switch (outcome) {
    case Outcome::Accepted: return "accepted";
    case Outcome::Rejected: return "rejected";
    case Outcome::Unconfirmed: return "unconfirmed";
    case Outcome::NotAttempted: break;
  }
  return "not attempted";
}

std::string RecipientLabel(const Recipient& recipient) {
  if (recipient.name.empty()) return recipient.pagerId;
  return recipient.name + " (" + recipient.pagerId + ")";
}

std::string TextReport(const std::vector<PageResult>& results, bool failuresOnly) {
  std::string out;
  for (const PageResult& r : results) {
    if (failuresOnly && r.outcome == Outcome::Accepted) continue;
    out += Printable(RecipientLabel(r.recipient)) + ": " + std::string(OutcomeWord(r.outcome));
    if (r.outcome != Outcome::Accepted && !r.detail.empty()) out += ": " + Printable(r.detail);
    out += '\n';
  }
  return out;
}

std::string JsonString(std::string_view bytes) {
  std::string out = "\"";
  for (std::size_t i = 0; i < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7f) {
      AppendEscape(out, c);
    } else if (c >= 0x80) {
      const std::size_t n = Utf8SequenceLength(bytes.substr(i));
      if (n == 0) {
        AppendEscape(out, c);
        ++i;
        continue;
      }
      out.append(bytes.substr(i, n));
      i += n;
      continue;
    } else {
      out += static_cast<char>(c);
    }
    ++i;
  }
  return out + "\"";
}

std::string JsonUsageError(std::string_view error) {
  return "{\"status\": " + std::to_string(kUsageError) + ", \"error\": " + JsonString(error) +
         ", \"recipients\": []}\n";
}

std::string JsonReport(const std::vector<PageResult>& results, std::string_view server, int status,
                       std::string_view error, const std::vector<std::string>& refused) {
  std::string out = "{\"server\": " + JsonString(server) + ", \"status\": " + std::to_string(status);
  if (!error.empty()) out += ", \"error\": " + JsonString(error);
  if (!refused.empty()) {
    out += ", \"refused\": [";
    for (std::size_t i = 0; i < refused.size(); ++i) out += (i == 0 ? "" : ", ") + JsonString(refused[i]);
    out += "]";
  }
  out += ", \"recipients\": [";
  for (std::size_t i = 0; i < results.size(); ++i) {
    const PageResult& r = results[i];
    out += i == 0 ? "\n  {" : ",\n  {";
    out += "\"recipient\": " + JsonString(r.recipient.given);
    if (!r.recipient.name.empty()) out += ", \"name\": " + JsonString(r.recipient.name);
    out += ", \"pager_id\": " + JsonString(r.recipient.pagerId);
    out += ", \"result\": " + JsonString(OutcomeWord(r.outcome));
    if (!r.detail.empty()) {
      const bool fromServer = (r.outcome == Outcome::Accepted || r.outcome == Outcome::Rejected) && !r.ownReason;
      out += std::string(fromServer ? ", \"reply\": " : ", \"reason\": ") + JsonString(r.detail);
    }
    out += "}";
  }
  return out + "\n]}\n";
}

}  // namespace snpp::cli
