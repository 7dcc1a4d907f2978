#pragma once

#include <QIcon>

// Small pictures for the main window's Send and Clear buttons, drawn in code so the
// program ships no image files. Qt derives the grey disabled state.
namespace snpp::images {
QIcon sendImage();    // a paper plane
QIcon clearImage();   // a sheet with a red stroke through it
}  // namespace snpp::images
