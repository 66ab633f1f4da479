#pragma once
// Files as only the system below Wine makes them. Wine cannot make a symbolic
// link itself (CreateSymbolicLinkW reports success and makes nothing), and
// its programs see a Unix link as the file or folder it leads to.
#include <string>
#include <vector>

// The Unix name of a Windows path; empty when not under Wine.
std::string UnixNameOf(const std::wstring& path);
// Starts a program of the system below (a Unix path) with these arguments.
// Wine cannot wait for it: the caller waits for what it does.
bool StartOnHost(const std::wstring& program, const std::vector<std::string>& arguments);

// A Unix symbolic link at link that leads to target (which must exist), gone
// again with this object, as `ln -s` and `rm` on the host make and remove it.
class HostLink {
public:
    HostLink(const std::wstring& target, const std::wstring& link);
    ~HostLink();
    HostLink(const HostLink&) = delete;
    HostLink& operator=(const HostLink&) = delete;
    bool Made() const { return made_; }

private:
    std::wstring link_;
    bool made_ = false;
};

// The path the system reaches when it opens path, every link followed; empty
// when it cannot be opened.
std::wstring ReachedPathOf(const std::wstring& path);
