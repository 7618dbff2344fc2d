#include "app/DriveInfo.h"

#include "app/CopyForm.h"

void DriveInfo::DriveComboBox1Change() {}
void DriveInfo::GetDriveTypeActionExecute() {}
void DriveInfo::GetSerialNumExecute() {}
