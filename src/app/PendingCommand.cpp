#include "app/PendingCommand.h"

#include "platform/Messages.h"

void ShowCommandNotAvailable(const char* handlerName) {
    MsgBox(QStringLiteral("この機能はこのバージョンではまだ使えません(%1)。")
                     .arg(QString::fromLatin1(handlerName)),
                 ConfirmCaption, 0);
}
