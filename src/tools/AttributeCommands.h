#pragma once

class PathListBox;
class TCopyForm;

// Read-only and hidden attributes of every file in a list.
class AttributeCommands {
public:
    explicit AttributeCommands(TCopyForm& form) : form_(form) {}

    void RemoveReadOnlyAttribsExecute();
    void SetReadOnlyAttribsExecute();
    void RemoveHiddenAttribsExecute();
    void SetHiddenAttribsExecute();
    // Returns the number of rows that were not brought into the state.
    int ChangeAttributesOfList(PathListBox& list, bool SetAttrib, bool Hidden, bool ShowMessages);

private:
    TCopyForm& form_;
};
