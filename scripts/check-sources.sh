#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format (with the
# repository's .clang-format) would make of it (`clang-format -i FILE` mends
# it), or when a test checks with QTestLib's QVERIFY, QCOMPARE or QTRY_*: those
# report to a logger that a GoogleTest run never reads, so they cannot fail a
# test (tests/ui/eventually.h waits the GoogleTest way).
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
if git grep -nE '\b(QVERIFY|QCOMPARE|QTRY_[A-Z_]+)\b' -- 'tests/*.cpp' 'tests/*.h'; then
    echo "QTestLib checks never fail a GoogleTest test: use EXPECT_*/ASSERT_* and eventually()" >&2
    exit 1
fi
