"""What `cmake --install` puts where, for the tests of the install tree and the packages."""

import os

ICON_SIZES = (16, 32, 48, 64, 128, 256)


def expected_files(app_id):
    """Every installed file, relative to the install prefix."""
    files = {
        "bin/zephyx",
        f"share/applications/{app_id}.desktop",
        f"share/metainfo/{app_id}.metainfo.xml",
        "share/man/man6/zephyx.6.gz",
        "share/doc/zephyx/README.md",
        "share/doc/zephyx/LICENSE",
        "share/doc/zephyx/copyright",
        "share/doc/zephyx/changelog.gz",
    }
    files.update(f"share/icons/hicolor/{n}x{n}/apps/{app_id}.png" for n in ICON_SIZES)
    return files


def debian_files(app_id):
    """The same in the .deb, which follows Debian's layout under usr/."""
    files = expected_files(app_id) - {"bin/zephyx", "share/doc/zephyx/LICENSE"}
    return {"usr/" + f for f in files | {"games/zephyx"}}


def files_under(root):
    """Every file (not folder) below `root`, relative to it."""
    found = set()
    for folder, _, names in os.walk(root):
        for name in names:
            found.add(os.path.relpath(os.path.join(folder, name), root))
    return found


def difference(found, expected):
    """Problems with a file list: what is missing and what is extra."""
    problems = []
    if expected - found:
        problems.append("missing: " + ", ".join(sorted(expected - found)))
    if found - expected:
        problems.append("not expected: " + ", ".join(sorted(found - expected)))
    return problems
