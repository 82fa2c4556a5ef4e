# Run at install time (see data/CMakeLists.txt): writes the machine hive of the
# installation, registering the sample dictionaries at their installed paths, and the
# desktop file with the installed program's path. PREFIX is the installation prefix, DEST
# the folder the files go into now (with DESTDIR, when packaging).
set(share ${PREFIX}/share/norvel)
set(hive "Windows Registry Editor Version 5.00\n\n")
foreach(entry
        "AnnKNV1|ann/ann.dd6" "DD6KNV1|main/norvel.dd6" "DD6KNVGN1|gn/gn.dd6"
        "DD6KNVLL1|ll/ll.dd6" "DD6KNVLN1|ln/ln.dd6" "DM4KNVEN1|morph-en/dm4en.dm4"
        "DM4KNVIT1|morph-it/dm4it.dm4")
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 name)
    list(GET parts 1 file)
    string(APPEND hive "[Software\\Zel\\Dics\\${name}]\n@=\"${share}/${file}\"\n\n")
endforeach()
# The correspondence templates' folder.
string(APPEND hive "[Software\\Zel\\Dics\\TypKNV1]\n@=\"${share}/templates/\"\n\n")
file(WRITE ${DEST}/etc/Zel/machine.reg "${hive}")
set(BIN ${PREFIX}/bin)
configure_file(${SOURCE}/data/desktop/norvel.desktop.in
               ${DEST}/share/applications/norvel.desktop @ONLY)
message(STATUS "Registered the sample dictionaries in ${DEST}/etc/Zel/machine.reg")
