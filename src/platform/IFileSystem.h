#pragma once

#include "platform/FileTypes.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// One open folder listing. At most one is open at a time per walk; the
// listing is closed by its destructor.
class IFolderListing
{
public:
    virtual ~IFolderListing() = default;
    // Next entry in the platform's listing order; false at the end. Entries
    // that are neither files, symbolic links nor directories (FIFOs, sockets,
    // devices) and names with no Windows form are never returned. A directory
    // that must not be entered (a symbolic link or junction to a directory, a
    // mount point, another file system) is never reported as a directory.
    virtual bool Next(SFindEntry& entry) = 0;
    // Fills size, attributes and identity of the entry last returned by Next
    // when the listing did not carry them. False when the file has gone since;
    // the entry then keeps what the listing saw.
    virtual bool FillDetails(SFindEntry& entry) = 0;
};

// The file system, addressed with Windows-form paths ("C:", "C:\dir\file").
// Every operation is synchronous, thread-safe, and never throws; failures are
// return values. No path is truncated: a path that cannot be mapped fails.
class IFileSystem
{
public:
    virtual ~IFileSystem() = default;

    // Lists the folder's entries ("folder\*.*" on Windows); nullptr when the
    // folder cannot be listed. "." and ".." are reported as directories, as on
    // Windows.
    virtual std::unique_ptr<IFolderListing> OpenListing(const std::string& strFolder) = 0;

    virtual bool GetAttributes(const std::string& strPath, uint32_t& nAttributes) = 0;
    // Sets the attributes of one file or folder through a single open of it
    // (never following a link at the name or in a parent folder, and never a
    // second lookup of the path between the check and the change). With a
    // known identity, refuses a file that is no longer the one identified.
    // Refuses to clear the read-only attribute of a file with more than one
    // name (a hard link): the change would reach it under every other name,
    // wherever those are. Setting read-only is allowed for such a file.
    virtual bool SetAttributes(const std::string& strPath, uint32_t nAttributes,
                               const SFileIdentity& expected) = 0;
    // The same for whatever the path names now (folders of the cache sweep).
    bool SetAttributes(const std::string& strPath, uint32_t nAttributes)
    {
        return SetAttributes(strPath, nAttributes, SFileIdentity{});
    }

    // Deletes one file (or a symbolic link itself, never its target). Refuses a
    // directory and a read-only file. Never acts through a symbolic link in a
    // parent folder. With a known identity, refuses a file that is no longer
    // the one identified.
    virtual bool RemoveFile(const std::string& strPath, const SFileIdentity& expected) = 0;

    // Copies a regular file. The copy is written under a temporary name in
    // the destination's folder (CopyTemporaryName.h) and takes the
    // destination's name only when it is complete, so a copy cut short never
    // leaves a partial file under that name. It keeps the source's
    // modification and access times, permission bits and extended attributes
    // where the destination can hold them, and its owner where the process
    // may set it. With bFailIfExists an existing destination is never
    // replaced, not even one that appears while the copy is written. The copy
    // is complete and flushed to disk (file and folder) when this returns
    // true. With a known identity, refuses a source that is no longer the one
    // identified.
    virtual bool CopyFileTo(const std::string& strSource, const std::string& strDestination,
                            bool bFailIfExists, const SFileIdentity& expectedSource) = 0;

    // Removes from the folder the copy temporaries whose writing process has
    // ended: what a copy killed before it was complete left behind. A
    // temporary of a running process, and every other name, is left alone.
    // Returns how many were removed.
    virtual int RemoveStaleCopies(const std::string& /*strFolder*/) { return 0; }

    virtual bool MakeFolder(const std::string& strPath) = 0;

    // Moves one file to another name without ever replacing anything there,
    // not even a file that appears while it moves. Both folders are reached
    // beneath their drive roots without following a link. Refuses a source
    // that is no longer the identified file or has been written to since
    // (IsUnchangedSince). Between file systems the file is copied
    // (bFailIfExists) and the source removed afterwards. This default does
    // that copy for every move; a backend with a no-replace rename renames.
    virtual EPutBack MoveNoReplace(const std::string& strSource, const std::string& strDestination,
                                   const SFileIdentity& expectedSource)
    {
        uint32_t nHigh = 0;
        uint32_t nLow = 0;
        uint32_t nAttributes = 0;
        SFileIdentity source;
        if (!OpenForSize(strSource, nHigh, nLow, source))
            return EPutBack::Gone;
        if (!IsUnchangedSince(expectedSource, source))
            return EPutBack::Changed;
        if (GetAttributes(strDestination, nAttributes))
            return EPutBack::Taken;
        if (!CopyFileTo(strSource, strDestination, true, source))
            return GetAttributes(strDestination, nAttributes) ? EPutBack::Taken : EPutBack::Failed;
        if (RemoveFile(strSource, source))
            return EPutBack::Moved;
        // The source stays: so does nothing else, the copy goes again.
        SFileIdentity copy;
        if (OpenForSize(strDestination, nHigh, nLow, copy))
            RemoveFile(strDestination, copy);
        return EPutBack::Failed;
    }

    // Opens the file for reading (never blocking, a FIFO or device fails) and
    // reports its length as two 32-bit halves and its identity.
    virtual bool OpenForSize(const std::string& strPath, uint32_t& nSizeHigh, uint32_t& nSizeLow,
                             SFileIdentity& identity) = 0;

    // True when the folder exists and could be made current; never changes the
    // process's current directory.
    virtual bool IsFolderAccessible(const std::string& strPath) = 0;

    // Reads a whole file as bytes. False when it cannot be opened.
    virtual bool ReadWholeFile(const std::string& strPath, std::string& strContents) = 0;

    // Opens a regular file for reading from its start in pieces, so that a
    // file of any size is read without being held whole (the INI seed file).
    // nullptr when it cannot be opened or is not a regular file.
    virtual std::unique_ptr<class IFileReader> OpenFileReader(const std::string& strPath) = 0;

    // Creates the file fresh (truncating an older one, never following a
    // symbolic link planted at its name) and writes the text; "\n" becomes the
    // platform's text-mode line end. False when the file cannot be created.
    virtual std::unique_ptr<class ITextFile> CreateTextFile(const std::string& strPath) = 0;

    virtual std::string GetCurrentFolder() = 0;        // Windows form, "C:\" for a root
    virtual std::string GetWindowsFolder() = 0;        // "C:\WINDOWS"-like, no trailing "\"
    virtual int32_t GetPlatformId() = 0;               // 2 = NT family
    virtual std::vector<std::string> ListDrives() = 0; // "C:", "D:", ...
    // Where a drive of ListDrives lives on the host, for showing beside its
    // letter (a host folder on POSIX); empty when the drive is the host's own.
    virtual std::string DescribeDrive(const std::string& /*strDrive*/) { return {}; }
    // Folders that belong to the operating system, in Windows form: the
    // Folders to Delete page asks before it takes one of them or a folder
    // below one. Names only, nothing is looked up. Unless a backend knows
    // better, the Windows folder.
    virtual std::vector<std::string> ListSystemFolders() { return {GetWindowsFolder()}; }
    // The Windows form of a path as the host names it, where drives are host
    // folders ("/srv/data/x" -> "D:\x" when D: is /srv/data; the longest drive
    // root wins). nullopt for a path on no drive, a name with no Windows form,
    // and where the host's own paths are the Windows form already.
    virtual std::optional<std::string> WindowsPathOf(const std::string& /*strHostPath*/)
    {
        return std::nullopt;
    }
};

// A file open for reading; closed by its destructor.
class IFileReader
{
public:
    virtual ~IFileReader() = default;
    // Reads the next bytes, at most nSize of them; nRead is 0 at the end of
    // the file. False on a read error.
    virtual bool Read(char* pBuffer, size_t nSize, size_t& nRead) = 0;
};

class ITextFile
{
public:
    virtual ~ITextFile() = default;
    // Buffered; an error is remembered and reported by Close.
    virtual void Write(const std::string& strText) = 0;
    // Writes what is buffered, flushes the file to the disk and closes it
    // (also done by the destructor). True only when every byte written since
    // the creation reached the disk: false after any failed write (a full or
    // read-only disk) or a failed flush, and on a second call.
    virtual bool Close() = 0;
};
