#include "forms/SysUtils.h"

QString ErrorBoxText(QString const& Message) {
    if (!Message.isEmpty() && Message.back() > QChar(u'.'))
        return Message + u'.';
    return Message;
}
