#include "platform/IFileOperationService.h"

std::vector<std::string> splitDoubleNulList(const std::string& list) {
    std::vector<std::string> paths;
    std::size_t pos = 0;
    while (pos < list.size() && list[pos] != '\0') {
        std::size_t end = list.find('\0', pos);
        if (end == std::string::npos) end = list.size();
        paths.emplace_back(list, pos, end - pos);
        pos = end + 1;
    }
    return paths;
}

std::string joinDoubleNulList(const std::vector<std::string>& paths) {
    std::string list;
    for (const auto& p : paths) {
        list += p;
        list += '\0';
    }
    list += '\0';
    return list;
}
