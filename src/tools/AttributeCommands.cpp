#include "tools/AttributeCommands.h"

#include "app/CopyForm.h"

void AttributeCommands::RemoveReadOnlyAttribsExecute() {}
void AttributeCommands::SetReadOnlyAttribsExecute() {}
void AttributeCommands::RemoveHiddenAttribsExecute() {}
void AttributeCommands::SetHiddenAttribsExecute() {}
int AttributeCommands::ChangeAttributesOfList(PathListBox&, bool, bool, bool) { return 0; }
