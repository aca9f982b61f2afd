#pragma once

#include "AUITypes.h"

#include <QIcon>
#include <QPixmap>
#include <QString>

#include <string>

// Pictures that controls load from files or from bytes the application hands
// over. Icon files (ICO) hold several sizes; a control asks for the width it
// shows and gets the best of them (AUILibUtils::SelectIcon).
namespace AUILib {

// Whether the path names an icon file: the upper-cased complete suffix (all
// after the file name's first dot) is "ICO".
bool IsIconPath(const QString &path);

// Every image of ICO bytes, one icon size each (of two images of one size the
// one of more colours), decoded from memory. A null icon for bytes that are
// not an icon.
QIcon IconFromBytes(const unsigned char *bytes, int length);

// ICO bytes: the icon's picture for `iconWidth`; any other type: the bytes
// decoded in the format AUILibUtils::ImageTypeToStr names. Null for no bytes or
// bytes that do not decode.
QPixmap PictureFromBytes(const unsigned char *bytes, int length, ImageTypes type, int iconWidth);

// An icon file: its picture for `iconWidth`; any other file: the picture in
// the format its contents show. Paths are Unicode. Null when unreadable.
QPixmap PictureFromFile(const QString &path, int iconWidth);
QPixmap PictureFromFile(const std::wstring &path, int iconWidth);

// The desktop's icon for an existing file or folder; an empty icon otherwise.
QIcon FileSystemIcon(const QString &path);

} // namespace AUILib
