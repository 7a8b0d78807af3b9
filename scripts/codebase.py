"""What the repository holds, as scripts/mutate and scripts/test-share count it: which top-level
folders are product code, and which files are code rather than data."""

import os
import subprocess

# Top-level folders that hold C++ but are not the product: the tests, the fuzz targets and the
# benchmarks, which are judged on their own. Every other top-level folder with C++ sources is a
# unit of the product, so that a new one counts from its first commit.
NOT_PRODUCT = ("tests", "fuzz", "bench", "build")
CPP_SUFFIXES = (".cpp", ".cc", ".h", ".hpp")
# Build files are code as well: a test's CMakeLists.txt is as much to maintain as its source.
BUILD_NAMES = ("CMakeLists.txt",)
BUILD_SUFFIXES = (".cmake", ".in")
SCRIPT_SUFFIXES = (".sh", ".py")


def tracked_files(root):
    """Every file git tracks or would track (new files not ignored), as paths relative to root;
    files deleted from the working tree are left out."""
    listed = subprocess.run(
        ["git", "-C", root, "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
        check=True, capture_output=True).stdout.decode()
    return sorted({p for p in listed.split("\0") if p and os.path.lexists(os.path.join(root, p))})


def is_cpp(path):
    return path.endswith(CPP_SUFFIXES)


def is_code(root, path):
    """True for a C++ source, a build file or a script (a shebang or a script suffix); anything
    else (inputs, expected outputs, images) is data, and so is everything under a data/ folder,
    where a test keeps the source files it reads and the ones it expects."""
    if "data" in path.split("/")[:-1]:
        return False
    name = os.path.basename(path)
    if is_cpp(path) or name in BUILD_NAMES or path.endswith(BUILD_SUFFIXES + SCRIPT_SUFFIXES):
        return True
    full = os.path.join(root, path)
    if os.path.islink(full) or not os.path.isfile(full):
        return False
    with open(full, "rb") as f:
        return f.read(2) == b"#!"


def product_folders(root, files=None):
    """Top-level folders that hold C++ sources of the product, sorted."""
    files = tracked_files(root) if files is None else files
    return sorted({p.split("/")[0] for p in files
                   if "/" in p and is_cpp(p) and p.split("/")[0] not in NOT_PRODUCT})


def non_blank_lines(path):
    with open(path, "rb") as f:
        return sum(1 for line in f if line.strip())
