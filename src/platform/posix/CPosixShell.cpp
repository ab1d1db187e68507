#include "platform/posix/CPosixShell.h"

// Stub: replaced by the GIO trash.
CPosixShell::CPosixShell(CDriveMap driveMap) : m_driveMap(std::move(driveMap)) {}
bool CPosixShell::MoveToTrash(const std::string&, const SFileIdentity&) { return false; }
bool CPosixShell::Open(const std::string&) { return false; }
