# A build from nothing (the test command on a new clone) spent most of its
# time parsing the same Qt, GoogleTest and standard headers again for every
# file: each target now parses them once. Cross builds leave them out, as the
# Windows toolchain's precompiled headers are not tried.
if(CMAKE_CROSSCOMPILING)
    set(qz_precompile_default OFF)
else()
    set(qz_precompile_default ON)
endif()
option(QZ_PRECOMPILED_HEADERS "Parse the headers that most files include once per target" ${qz_precompile_default})

set(QZ_PCH_STANDARD <algorithm> <cstdint> <filesystem> <functional> <map> <memory> <optional> <string> <string_view>
                    <vector>)
set(QZ_PCH_QT_CORE ${QZ_PCH_STANDARD} <QObject> <QString> <QStringList> <QTimer>)
set(QZ_PCH_QT_WIDGETS ${QZ_PCH_QT_CORE} <QApplication> <QComboBox> <QHBoxLayout> <QLabel> <QLineEdit> <QListWidget>
                      <QPushButton> <QVBoxLayout> <QWidget>)
set(QZ_PCH_WINDOW_TESTS ${QZ_PCH_QT_WIDGETS} <gtest/gtest.h> <QTest>)

# qz_precompile(TARGET HEADERS...): the headers, when precompiling is on. The
# core's tests are left out: GCC 12 then reports its own false array-bounds
# warnings from inside the standard library's strings.
function(qz_precompile target)
    if(QZ_PRECOMPILED_HEADERS)
        target_precompile_headers(${target} PRIVATE ${ARGN})
    endif()
endfunction()
