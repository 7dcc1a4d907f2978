#pragma once

#include <QIcon>

// Small pictures for the main window's buttons, drawn in code so the
// program ships no image files. Qt derives the grey disabled state.
namespace snpp::images {
QIcon sendImage();    // a paper plane
QIcon clearImage();   // a sheet with a red stroke through it
QIcon abortImage();   // the usual red cross of an abort button
}  // namespace snpp::images
