#include "qt/controls/user_characters.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <vector>

#include "controls/changed_span.h"

namespace snpp::qt {
namespace {

// Positions (in UTF-16 units) between two characters, 0 and the end included.
std::vector<qsizetype> Boundaries(const QString& text) {
  std::vector<qsizetype> at{0};
  QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
  while (finder.toNextBoundary() != -1) at.push_back(finder.position());
  if (at.back() != text.size()) at.push_back(text.size());
  return at;
}

}  // namespace

int UserCharacterCount(const QString& text) {
  if (text.isEmpty()) return 0;
  return static_cast<int>(Boundaries(text).size()) - 1;
}

QString FittingInsertion(const QString& before, const QString& inserted, const QString& after, int limit) {
  const auto fits = [&](qsizetype n) {
    return UserCharacterCount(before + inserted.left(n) + after) <= limit;
  };
  if (fits(inserted.size())) return inserted;
  // Cut only where the whole text has a boundary inside the insertion; the
  // count grows with every character kept, so the last fitting cut is
  // found by bisection.
  std::vector<qsizetype> cuts;
  for (qsizetype b : Boundaries(before + inserted + after)) {
    if (b >= before.size() && b < before.size() + inserted.size()) cuts.push_back(b - before.size());
  }
  if (cuts.empty() || !fits(cuts.front())) return {};
  std::size_t lo = 0, hi = cuts.size();  // cuts[lo] fits, cuts[hi] (or all) does not
  while (hi - lo > 1) {
    const std::size_t mid = (lo + hi) / 2;
    (fits(cuts[mid]) ? lo : hi) = mid;
  }
  return inserted.left(cuts[lo]);
}

QString LimitEdit(const QString& previous, const QString& now, int limit, int& cursor) {
  if (UserCharacterCount(now) <= limit) return now;
  // The characters both texts share at their start and at their end; what
  // lies between in `now` is the insertion. Comparing whole characters
  // keeps two emoji that share a first code unit apart.
  const std::vector<qsizetype> was = Boundaries(previous);
  const std::vector<qsizetype> is = Boundaries(now);
  const auto character = [](const QString& text, const std::vector<qsizetype>& at, std::size_t i) {
    return QStringView(text).mid(at[i], at[i + 1] - at[i]);
  };
  const std::size_t wasCount = was.size() - 1, isCount = is.size() - 1;
  const auto [head, tail] = FindChangedSpan(wasCount, isCount, [&](std::size_t i, std::size_t j) {
    return character(previous, was, i) == character(now, is, j);
  });
  const QString before = now.left(is[head]);
  const QString after = now.mid(is[isCount - tail]);
  const QString kept = FittingInsertion(before, now.mid(is[head], is[isCount - tail] - is[head]), after, limit);
  cursor = static_cast<int>(before.size() + kept.size());
  return before + kept + after;
}

}  // namespace snpp::qt
