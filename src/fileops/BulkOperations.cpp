#include "fileops/BulkOperations.h"

#include "app/CopyForm.h"

void BulkOperations::File_Operation(QObject*) {}
void BulkOperations::RefreshFolder(const std::string&) {}
void BulkOperations::RefreshAfterMove(const std::string&, const std::string&) {}
