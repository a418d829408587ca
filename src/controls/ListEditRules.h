#pragma once
// The text rules of the transparent list box's edit modes, apart from the widget.

#include <QString>

namespace quenlar::controls {

// The list's edit modes.
enum class ListEditMode : int { PlainRename = 0, DelayEdit = 1, RenameReported = 3 };

// Icons of delay-edit lines.
enum class LineIcon { None, Press, Release, Delay };

// Delay values a delay line can hold.
inline constexpr int kDelayMin = 2;
inline constexpr int kDelayMax = 60000;

// What a line shows in the given mode: its text without the "dn" / "up" marks, and its icon.
struct LineLook {
    QString text;
    LineIcon icon = LineIcon::None;
};
LineLook lineLook(ListEditMode mode, const QString &text);

// A line can be edited in place unless it is a key line ("up" or "dn") of a delay list.
bool lineIsEditable(ListEditMode mode, const QString &text);

// The text the editor starts with: in delay mode the number alone (every " ms" removed).
QString editorStartText(ListEditMode mode, const QString &text);

// The committed delay: the leading decimal digits of the text, kept within kDelayMin..kDelayMax.
// No digits gives kDelayMin; a number too long for any integer gives kDelayMax.
int committedDelay(const QString &text);

// A delay line's text: "250 ms".
QString delayLineText(int value);

} // namespace quenlar::controls
