#include "fileops/FileOperationOptions.h"

#include "platform/IFileOperationService.h"

RequestFlags requestFlagsFor(std::int32_t options) {
    RequestFlags r;
    r.flags = fof::AllowUndo;
    if (fopt::has(options, fopt::NonConfirmation)) r.flags |= fof::NoConfirmation;
    if (fopt::has(options, fopt::NonConfirmMkDir)) r.flags |= fof::NoConfirmMkDir;
    if (fopt::has(options, fopt::NoErrorUi)) r.flags |= fof::NoErrorUi;
    if (fopt::has(options, fopt::RenameOnCollision)) r.flags |= fof::RenameOnCollision;
    if (fopt::has(options, fopt::Silent)) r.flags |= fof::Silent;
    if (fopt::has(options, fopt::SimpleProgress)) {
        r.flags |= fof::SimpleProgress;
        r.progressTitle = QStringLiteral("しばらくお待ち下さい。");
    }
    return r;
}
