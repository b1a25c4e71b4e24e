#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// The address the About box's link shows for the product page, short enough for the
// label: a web page by its site's address, a file by its path with the home folder as
// "~" and folders left out from the middle, the file's name kept. `fits` tells whether
// a text fits the label.
using Fits = std::function<bool(const QString &text)>;
QString shortAddress(const QUrl &page, const Fits &fits);
