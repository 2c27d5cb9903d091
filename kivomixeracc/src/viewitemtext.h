// Texts that item views show for their model items.
#pragma once
#include <QString>

class QStandardItem;

namespace kivoacc {

constexpr int CheckedRole = 33;   // bool: the item's check mark
constexpr int CaptionRole = 34;   // the item's caption
constexpr int UnreadCountRole = 45;

// "$Checked|" or "$Unchecked|" by the check mark, then the caption.
QString informItemText(const QStandardItem *item);

} // namespace kivoacc
