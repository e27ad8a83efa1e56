#pragma once
// The file in which a running service publishes its terminals' state for
// `Quorvel --status`: "estado.txt" beside the program, or where a link of
// that name leads (the package links it into the unit's runtime folder,
// /run/quorvel). The service replaces the file whole, so a reader sees
// either the old text or the new one, and holds a lock on the folder the
// file is in while it runs: a file left by a service that was killed is
// not mistaken for a running one. Made readable by its owner and group
// only (0640).
#include <optional>
#include <string>

// "estado.txt" beside the program at `programPath`.
std::string ServiceStatePathOf(const std::string& programPath);

// The service's side.
class ServiceStateFile {
public:
    explicit ServiceStateFile(std::string path) : path_(std::move(path)) {}
    // Removes the file it published and lets the folder's lock go.
    ~ServiceStateFile();
    ServiceStateFile(const ServiceStateFile&) = delete;
    ServiceStateFile& operator=(const ServiceStateFile&) = delete;

    // Takes the folder's lock unless it holds it already; false while
    // another running service holds it (two services started in one
    // folder: the first one publishes). Throws std::runtime_error when the
    // folder cannot be opened.
    bool Claim();
    // Replaces the file with `text`. Throws std::runtime_error saying why
    // it could not.
    void Replace(const std::string& text);
    // Where the file really is (a link followed).
    const std::string& Path() const;

private:
    std::string path_;
    mutable std::optional<std::string> target_;
    int folderLock_ = -1;
    bool published_ = false;
};

// The query's side: what a running service published; none when no service
// holds the folder's lock (none runs, or it has not published yet while it
// starts: then the text is empty). Throws std::runtime_error when the
// folder or the file cannot be read (a user outside the service's group).
std::optional<std::string> ReadPublishedState(const std::string& path);
