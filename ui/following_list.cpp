#include "following_list.h"

#include "codec.h"
#include "combo_lists.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace qz::ui {

FollowingList::FollowingList(QComboBox* list) : QObject(list), list_(list)
{
    // A pick by the operator overrules the radio's present entry.
    connect(list_, &QComboBox::activated, this, [this] { follow_.settle(); });
    if (list_->lineEdit())
        connect(list_->lineEdit(), &QLineEdit::textEdited, this, [this] { follow_.settle(); });
}

bool FollowingList::follow(const QString& entry)
{
    follow_.observe(toCp1250(entry));
    const auto pending = follow_.pending();
    if (!pending || operatorBusy())
        return false;
    follow_.settle();
    const int index = list_->findText(fromCp1250(*pending));
    if (index < 0 || index == selectedIndex(list_))
        return false;
    list_->setCurrentIndex(index);
    return true;
}

bool FollowingList::operatorBusy() const
{
    const QLineEdit* edit = list_->lineEdit();
    return list_->view()->isVisible() || (list_->hasFocus() && edit && edit->isModified());
}

}  // namespace qz::ui
