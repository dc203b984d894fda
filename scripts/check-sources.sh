#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format (with the
# repository's .clang-format) would make of it (`clang-format -i FILE` mends
# it), or when a test checks with QTestLib's QVERIFY, QCOMPARE or QTRY_*: those
# report to a logger that a GoogleTest run never reads, so they cannot fail a
# test (tests/ui/eventually.h waits the GoogleTest way), or when text crosses
# between bytes and QString in ui/ or link/ anywhere but link/codec.cpp: the
# files are Windows-1250, which none of Qt's own conversions reads, and one
# place to look is what keeps every Polish letter right.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
if git grep -nE '\b(QVERIFY|QCOMPARE|QTRY_[A-Z_]+)\b' -- 'tests/*.cpp' 'tests/*.h'; then
    echo "QTestLib checks never fail a GoogleTest test: use EXPECT_*/ASSERT_* and eventually()" >&2
    exit 1
fi
if git grep -nE '\b(from|to)(StdString|StdWString|Local8Bit|Utf8|Latin1|WCharArray)\b|\b(QString(Decoder|Encoder|Converter)|QTextCodec|QLatin1String|QUtf8StringView|encodeName|decodeName|fromRawData)\b' \
    -- 'ui/*' 'link/*' ':!link/codec.cpp'; then
    echo "Text crosses between bytes and QString only in link/codec.cpp: use fromCp1250, fromAscii, fromPath, fromSystemText, toCp1250, utf8Bytes or toPath" >&2
    exit 1
fi
