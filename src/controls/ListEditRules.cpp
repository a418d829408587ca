#include "controls/ListEditRules.h"

#include <algorithm>

namespace quenlar::controls {

LineLook lineLook(ListEditMode mode, const QString &text) {
    LineLook look{text, LineIcon::None};
    if (mode != ListEditMode::DelayEdit)
        return look;
    if (text.contains(QStringLiteral("dn"))) {
        look.text.remove(QStringLiteral("dn"));
        look.icon = LineIcon::Press;
    } else if (text.contains(QStringLiteral("up"))) {
        look.text.remove(QStringLiteral("up"));
        look.icon = LineIcon::Release;
    } else if (text.contains(QStringLiteral("ms"))) {
        look.icon = LineIcon::Delay;
    }
    return look;
}

bool lineIsEditable(ListEditMode mode, const QString &text) {
    if (mode != ListEditMode::DelayEdit)
        return true;
    return !text.contains(QStringLiteral("up")) && !text.contains(QStringLiteral("dn"));
}

QString editorStartText(ListEditMode mode, const QString &text) {
    QString start = text;
    if (mode == ListEditMode::DelayEdit)
        start.remove(QStringLiteral(" ms"));
    return start;
}

int committedDelay(const QString &text) {
    int i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    long long value = 0;
    bool any = false;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        any = true;
        value = std::min<long long>(value * 10 + (text[i].unicode() - '0'), kDelayMax + 1LL);
    }
    if (!any)
        return kDelayMin;
    return static_cast<int>(std::clamp<long long>(value, kDelayMin, kDelayMax));
}

QString delayLineText(int value) { return QString::number(value) + QStringLiteral(" ms"); }

} // namespace quenlar::controls
