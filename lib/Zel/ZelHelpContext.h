// The help context of an object (an action, a widget): the number of its help topic
// ("LDH_" + number), kept as the object's "helpContext" property; 0 for none.
#pragma once

#include <QObject>
#include <QVariant>

inline int ZelHelpContext(const QObject* object) {
    return object ? object->property("helpContext").toInt() : 0;
}

inline void ZelSetHelpContext(QObject* object, int helpContext) {
    object->setProperty("helpContext", helpContext);
}
