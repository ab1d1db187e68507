/* The floor for the scan benchmarks: a bare single-thread walker with the
 * default rules and nothing else. Per folder one openat2, its getdents64
 * calls and one close; file types from d_type; an fstatat only for what the
 * rules need (the size of a candidate; with --sizes, every file, as the Zero
 * Length rule needs). Dot-folders are never entered; the open is an openat2
 * that follows no link and crosses into no other file system, so no folder
 * needs a stat of its own.
 *
 * floor-walker ROOT [--sizes]   prints the candidates' host paths.
 */
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

static const char* const EXTENSIONS[] = {"GID", "CHK", "OLD", "LOG", "BAK", "TMP", "___", "__",
                                         "_",   "---", "--",  "-",   "~~~", "~~",  "~"};
static const char* const EXCLUDED[] = {"uninstall.log", "install.log", "data.bak", "desktop.ini",
                                       "index.dat"};

struct linux_dirent64
{
    unsigned long long d_ino;
    long long d_off;
    unsigned short d_reclen;
    unsigned char d_type;
    char d_name[];
};

static int g_bSizes;
static char g_buffer[64 * 1024] __attribute__((aligned(8)));

static int IsExcluded(const char* pName)
{
    for (size_t i = 0; i < sizeof(EXCLUDED) / sizeof(EXCLUDED[0]); ++i)
        if (strcasecmp(pName, EXCLUDED[i]) == 0)
            return 1;
    return 0;
}

static int HasListedExtension(const char* pName)
{
    const char* pDot = strrchr(pName, '.');
    if (pDot == NULL)
        return 0;
    for (size_t i = 0; i < sizeof(EXTENSIONS) / sizeof(EXTENSIONS[0]); ++i)
        if (strcasecmp(pDot + 1, EXTENSIONS[i]) == 0)
            return 1;
    return 0;
}

static void Walk(int nParent, const char* pName, char* pPath, size_t nPathLength)
{
    struct open_how how;
    memset(&how, 0, sizeof(how));
    how.flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_XDEV;
    const int nFolder = (int)syscall(SYS_openat2, nParent, pName, &how, sizeof(how));
    if (nFolder < 0)
        return;
    /* Lists the whole folder first: the buffer is reused by the sub-folders. */
    size_t nCapacity = 4096, nUsed = 0;
    char* pNames = malloc(nCapacity);
    for (;;)
    {
        const long nRead = syscall(SYS_getdents64, nFolder, g_buffer, sizeof(g_buffer));
        if (nRead <= 0)
            break;
        for (long nOffset = 0; nOffset < nRead;)
        {
            const struct linux_dirent64* pEntry = (const void*)(g_buffer + nOffset);
            nOffset += pEntry->d_reclen;
            const char* pEntryName = pEntry->d_name;
            if (pEntryName[0] == '.' &&
                (pEntryName[1] == 0 || (pEntryName[1] == '.' && pEntryName[2] == 0)))
                continue;
            const size_t nLength = strlen(pEntryName);
            if (nUsed + nLength + 2 > nCapacity)
            {
                nCapacity = 2 * (nCapacity + nLength + 2);
                pNames = realloc(pNames, nCapacity);
            }
            pNames[nUsed] = (char)pEntry->d_type;
            memcpy(pNames + nUsed + 1, pEntryName, nLength + 1);
            nUsed += nLength + 2;
        }
    }
    for (size_t nAt = 0; nAt < nUsed;)
    {
        const unsigned char nType = (unsigned char)pNames[nAt];
        const char* pEntryName = pNames + nAt + 1;
        const size_t nLength = strlen(pEntryName);
        nAt += nLength + 2;
        pPath[nPathLength] = '/';
        memcpy(pPath + nPathLength + 1, pEntryName, nLength + 1);
        if (nType == DT_DIR)
        {
            if (pEntryName[0] != '.')
                Walk(nFolder, pEntryName, pPath, nPathLength + 1 + nLength);
            continue;
        }
        if (nType != DT_REG && nType != DT_LNK)
            continue;
        if (IsExcluded(pEntryName))
            continue;
        int bCandidate = HasListedExtension(pEntryName);
        if (bCandidate || (g_bSizes && nType == DT_REG))
        {
            struct stat fileStat;
            if (fstatat(nFolder, pEntryName, &fileStat, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            if (!bCandidate && S_ISREG(fileStat.st_mode) && fileStat.st_size == 0)
                bCandidate = 1;
        }
        if (bCandidate && nType == DT_REG)
            puts(pPath);
    }
    free(pNames);
    close(nFolder);
}

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        fprintf(stderr, "usage: floor-walker ROOT [--sizes]\n");
        return 2;
    }
    g_bSizes = argc > 2 && strcmp(argv[2], "--sizes") == 0;
    const int nRoot = open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (nRoot < 0)
        return 1;
    static char path[1 << 16];
    const size_t nLength = strlen(argv[1]);
    memcpy(path, argv[1], nLength + 1);
    Walk(nRoot, ".", path, nLength);
    return 0;
}
