#pragma once

#include <QString>

// Where the settings file lives, and why it cannot be used there. None of these opens
// the file, so a named pipe or a device in its place can never block the game.

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute path, else
// ~/.config. A relative value is ignored, as the XDG base-directory rules ask: it would
// put the settings under whatever folder the game was started from.
QString configHome();

// The settings file: Orv/Tessarin.conf in the configuration folder.
QString storeFile();

// Whether `path` is a file the store may read: a regular file, or nothing at all (which
// reads as missing values). A pipe, a device or a folder is neither.
bool safeToRead(const QString &path);

// Why the store cannot be written at `path`, or an empty text when it can. Creates the
// file's folder when it is missing.
QString unwritableReason(const QString &path);

// Why the store could not be written at `path` if the game ended now, or an empty text when
// nothing stands in the way: the same reasons as unwritableReason gives, and a disk with
// no room left, found without creating or writing anything.
QString foreseenUnwritableReason(const QString &path);

// Why writing into the folder of `path` fails, asked of the system with a scratch file
// after the store could not be written although nothing stood in its way.
QString failedWriteReason(const QString &path);
