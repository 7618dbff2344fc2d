#include "app/PendingCommand.h"

#include "util/ApU.h"

void ShowCommandNotAvailable(const char* handlerName) {
    TApU::MsgBox(QStringLiteral("この機能はこのバージョンではまだ使えません(%1)。")
                     .arg(QString::fromLatin1(handlerName)),
                 ConfirmCaption, 0);
}
