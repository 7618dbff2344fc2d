#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

struct FileOpRequest;

// The file-operation engine: lists of paths become requests to the
// file-operation service. It holds no state between calls; every list
// operation returns the number of entries it did not hand on (the
// not-processed count). The main window holds one instance.
class TFileOperation {
public:
    // Most entries one request may carry.
    static constexpr int MaxEntries = 32768;

    TFileOperation() = default;

    // Room reserved for a path list of count entries: 65536 bytes per
    // started 256 entries; 0 (after a message) when count is refused.
    int RequestBufferSize(long long count);
    // Owner, no progress title, no mappings, the flags of options.
    void FillRequest(FileOpRequest& request, std::int32_t options);

    // Copies or moves the existing files of paths into destinationFolder.
    // When usedTargets is given it receives, per path, the target chosen
    // for it if per-file targets were used (left empty otherwise).
    int CopyMoveFiles(const std::vector<std::string>& paths, std::int32_t options, bool move,
                      const std::string& destinationFolder,
                      std::vector<std::string>* usedTargets = nullptr);
    // Collision-free targets in destinationFolder, one per path; an empty
    // target marks a path that found no name. targets stays empty when the
    // folder does not exist. false when the preparation failed.
    bool PrepareUniqueTargets(const std::vector<std::string>& paths,
                              const std::string& destinationFolder,
                              std::vector<std::string>& targets, bool& nameChanged);
    // First of name, base_01.ext, base_02.ext ... that is no file in folder
    // and whose upper case is not in chosen. false when folder is missing.
    // nextTry, kept across the calls of one preparation, remembers per name
    // where the search ended: candidates rejected once stay rejected while
    // chosen only grows, so many equal names cost linear time.
    bool NextFreeName(const std::string& folder, std::string& name,
                      const std::unordered_set<std::string>& chosen, bool& changed,
                      std::unordered_map<std::string, std::uint32_t>* nextTry = nullptr);
    // Copies or moves paths[k] to targets[k].
    int CopyMoveToTargets(const std::vector<std::string>& paths,
                          const std::vector<std::string>& targets, std::int32_t options, bool move);
    // To the trash, or erased for good after warnings about system, hidden
    // and read-only files. options do not apply.
    int DeleteFiles(const std::vector<std::string>& paths, bool erase, std::int32_t options);
    // 0 when the request was made, 1 when folder is no existing folder.
    int DeleteFolder(const std::string& folder, bool erase, std::int32_t options);

    // Set or clear the hidden (Hidden) or read-only bit of every path;
    // missing receives how many paths were no existing files.
    int SetAttribute(const std::vector<std::string>& paths, bool Hidden, int& missing);
    int ClearAttribute(const std::vector<std::string>& paths, bool Hidden, int& missing);

private:
    int changeAttribute(const std::vector<std::string>& paths, bool Hidden, bool on, int& missing);
    int nothingFound(int notProcessed);
    void perform(FileOpRequest& request);
};
