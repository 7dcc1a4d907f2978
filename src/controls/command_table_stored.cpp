// The stored form of a processor's tables (`TableList`).

#include "command_table.h"

namespace snpp {
namespace {

std::vector<TStoredCommandPair> Differences(const TCommandTable& builtIn,
                                            const TCommandTable& table) {
  std::vector<TStoredCommandPair> pairs;
  for (const TCommandRecord& r : builtIn.Records())
    if (table.IndexOfKeys(r.PackedKeys()) < 0) pairs.push_back({r.PackedKeys(), ccNone});
  for (const TCommandRecord& r : table.Records()) {
    const int i = builtIn.IndexOfKeys(r.PackedKeys());
    if (i < 0 || builtIn.Records()[i].Command != r.Command)
      pairs.push_back({r.PackedKeys(), r.Command});
  }
  return pairs;
}

void ApplyDifferences(TCommandTable& table, const std::vector<TStoredCommandPair>& pairs) {
  auto& records = table.Records();
  for (const TStoredCommandPair& p : pairs) {
    const int i = table.IndexOfKeys(p.Keys);
    if (p.Command == ccNone) {
      // Deleting a record that is not there leaves nothing to do.
      if (i >= 0) records.erase(records.begin() + i);
    } else if (i < 0) {
      records.push_back(TCommandRecord::FromPacked(p.Keys, p.Command));
    } else {
      records[i].Command = p.Command;
    }
  }
}

}  // namespace

TStoredTableList TCommandProcessor::TableList() const {
  TStoredTableList list;
  for (const TCommandTable& t : tables_) {
    TStoredCommandTable stored{t.TableName(), t.IsActive(), {}};
    TCommandTable builtIn;
    if (BuiltInCommandTable(t.TableName(), builtIn)) {
      stored.Pairs = Differences(builtIn, t);
    } else {
      for (const TCommandRecord& r : t.Records()) stored.Pairs.push_back({r.PackedKeys(), r.Command});
    }
    list.push_back(std::move(stored));
  }
  return list;
}

void TCommandProcessor::SetTableList(const TStoredTableList& list) {
  tables_.clear();
  state_ = State::Idle;
  for (const TStoredCommandTable& stored : list) {
    TCommandTable table;
    if (BuiltInCommandTable(stored.Name, table)) {
      ApplyDifferences(table, stored.Pairs);
    } else {
      for (const TStoredCommandPair& p : stored.Pairs)
        table.Records().push_back(TCommandRecord::FromPacked(p.Keys, p.Command));
    }
    table.SetTableName(stored.Name);
    table.SetActive(stored.Active);
    tables_.push_back(std::move(table));
  }
}

}  // namespace snpp
