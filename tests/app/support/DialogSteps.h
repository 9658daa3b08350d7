#pragma once

#include "support/TestImages.h"

#include <QAbstractButton>
#include <QWidget>
#include <gtest/gtest.h>

namespace zov::test {

// A control of an open dialog by its object name; fails the test when it is missing.
template <class T> T& Field(QWidget& dialog, const char* name) {
    T* field = dialog.findChild<T*>(QLatin1String(name));
    if (field == nullptr) {
        ADD_FAILURE() << "no " << name << " in " << dialog.objectName().toStdString();
        throw std::runtime_error(name);
    }
    return *field;
}

inline void Press(QWidget& dialog, const char* button) {
    Field<QAbstractButton>(dialog, button).click();
}

// Saves what the dialog looks like, for a person to check.
inline void Snapshot(QWidget& dialog) {
    SaveTestImage(dialog.grab().toImage(), QStringLiteral("dialog-") + dialog.objectName());
}

} // namespace zov::test
