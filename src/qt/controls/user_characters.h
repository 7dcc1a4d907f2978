#pragma once
// Text limits count characters as a person sees them: a letter with its
// accents, a flag, an emoji with its skin tone or a CR LF pair is one
// character however many code units it takes. A limit never keeps part of
// one, so nothing half a character wide reaches a file.

#include <QString>

namespace snpp {

int UserCharacterCount(const QString& text);

// The longest start of `inserted` that, put between `before` and `after`,
// keeps the whole text within `limit` characters. It ends between two
// characters of that text.
QString FittingInsertion(const QString& before, const QString& inserted, const QString& after, int limit);

// `now` came from `previous` by one edit (typing, pasting, an input
// method's text replacing a selection). Returns `now` with the inserted
// part cut to what fits in `limit` characters and puts `cursor` behind it.
// A text already over the limit may still shrink.
QString LimitEdit(const QString& previous, const QString& now, int limit, int& cursor);

}  // namespace snpp
