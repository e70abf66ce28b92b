#pragma once

#include <QString>
#include <string_view>

/// Replaces the bytes of the file at path (or makes it) and keeps the file
/// what it was: its owner, group, mode and hard links, and through a symbolic
/// link the file it points to. The new bytes take the old file's place at once
/// when a file made beside it keeps all of that; otherwise they are written
/// into it. A failed write leaves the old bytes. Throws CannotCreateError(path)
/// when no file can be made there or path names something other than a
/// regular file (a FIFO, a device, a folder), and an error naming the file
/// ("ファイル %s への書き込みエラー") when writing fails.
void SaveFileBytes(const QString& path, std::string_view bytes);
