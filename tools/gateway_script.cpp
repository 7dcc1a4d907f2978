// The gateway dialogue of the test server: what a real SNPP gateway checks,
// in the order it checks it, with replies shaped as a deployed one gives them.
#include <algorithm>
#include <memory>
#include <optional>

#include "snpp_test_server.h"

namespace snpp::testing {

namespace {

struct GatewayConnection {
  bool loggedIn = false;
  std::vector<std::string> pagerIds{};  // accepted since the last SEND or RESE
  std::optional<std::string> message{};
  bool inData = false;
  std::optional<std::string> dataText{};  // nullopt: no line yet
};

struct GatewayState {
  GatewayConnection conn;
  int nextJobId = 1;
};

ServerAction Reply(const std::string& text) { return ServerAction::Reply(text + "\r\n"); }

ServerAction SyntaxError(const std::string& verb, bool blank) {
  return Reply("500 '" + verb + (blank ? " ': Syntax error, expecting <STRING>." : "': Syntax error, expecting <SP>."));
}

bool GoodPagerId(const std::string& id, const GatewayRules& rules) {
  if (id.empty() || id.size() > rules.maxPagerIdLength) return false;
  return std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool TooLong(const std::string& text, const GatewayRules& rules) {
  return rules.maxMessageLength != 0 && text.size() > rules.maxMessageLength;
}

ServerAction Page(const std::string& line, const GatewayRules& rules, GatewayState& state) {
  const std::string arg = ArgumentOf(line);
  const std::string id = arg.substr(0, arg.find(' '));
  if (rules.checkPagerIds && !GoodPagerId(id, rules)) return Reply("550 Error, invalid pager ID");
  if (id.empty()) return SyntaxError("PAGE", line.size() > 4);
  state.conn.pagerIds.push_back(id);
  return Reply("250 Pager ID accepted; jobid: " + std::to_string(state.nextJobId++));
}

ServerAction Message(const std::string& line, const GatewayRules& rules, GatewayConnection& conn) {
  const std::string text = ArgumentOf(line);
  if (text.empty()) return SyntaxError("MESS", line.size() > 4);
  if (conn.message) return Reply("503 Error, message already entered.");
  if (TooLong(text, rules)) return Reply("550 Error, message too long");
  conn.message = text;
  return Reply("250 Message text OK.");
}

ServerAction DataLine(const std::string& line, const GatewayRules& rules, GatewayConnection& conn) {
  if (line == ".") {
    conn.inData = false;
    conn.message = conn.dataText.value_or("");
    return Reply("250 Message text OK.");
  }
  const std::string text = line.starts_with("..") ? line.substr(1) : line;
  conn.dataText = conn.dataText ? *conn.dataText + "\n" + text : text;
  if (TooLong(*conn.dataText, rules)) {
    conn.inData = false;
    return Reply("550 Error, message too long");
  }
  return ServerAction::Silence();
}

ServerAction Send(const GatewayRules& rules, GatewayConnection& conn) {
  if (conn.pagerIds.empty()) return Reply("503 Error, no pager ID specified with PAGE.");
  if (!conn.message) return Reply("503 Error, no message specified with MESS or DATA.");
  ServerAction action = ServerAction::After(rules.sendDelayMs, Reply("250 Message processing completed."));
  for (const std::string& id : conn.pagerIds) action.delivered.push_back({id, *conn.message});
  conn.pagerIds.clear();
  conn.message.reset();
  return action;
}

ServerAction GatewayAnswer(const std::string& line, const GatewayRules& rules, GatewayState& state) {
  GatewayConnection& conn = state.conn;
  if (conn.inData) return DataLine(line, rules, conn);
  const std::string verb = VerbOf(line);
  if (verb.empty()) return Reply("500 '': Syntax error, expecting command token.");
  const bool paging = verb == "PAGE" || verb == "MESS" || verb == "DATA" || verb == "SEND";
  if (paging && rules.requireLogin && !conn.loggedIn) return Reply("530 Login required");
  if (verb == "LOGI") {
    const std::string user = ArgumentOf(line).substr(0, ArgumentOf(line).find(' '));
    if (user.empty()) return SyntaxError("LOGI", line.size() > 4);
    conn.loggedIn = true;
    return Reply("250 User " + user + " logged in.");
  }
  if (verb == "PAGE") return Page(line, rules, state);
  if (verb == "MESS") return Message(line, rules, conn);
  if (verb == "DATA") {
    if (conn.message) return Reply("503 Error, message already entered.");
    conn.inData = true;
    conn.dataText.reset();
    return ServerAction::Reply(kDataGoAhead);
  }
  if (verb == "SEND") return Send(rules, conn);
  if (verb == "RESE") {
    conn = GatewayConnection{.loggedIn = conn.loggedIn && !rules.resetLogsOut};
    return ServerAction::Reply(kResetGreeting);
  }
  if (verb == "HELP" || verb == "QUIT" || verb == "LEVE") return AcceptingAnswer(line);
  return Reply("500 " + verb + ": Command not recognized.");
}

}  // namespace

ServerScript GatewayScript(GatewayRules rules) {
  auto state = std::make_shared<GatewayState>();
  return [rules, state](const std::string& line, int index) {
    if (index == 0) state->conn = GatewayConnection{};
    ServerAction action = GatewayAnswer(line, rules, *state);
    if (rules.infoBeforeReplies && !action.text.empty()) {
      action.text = "214 Gateway " + VerbOf(line) + " noted\r\n" + action.text;
    }
    return action;
  };
}

}  // namespace snpp::testing
