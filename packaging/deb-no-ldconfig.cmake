# Run by CPack after it has made the Debian package (CPACK_POST_BUILD_SCRIPTS).
#
# CPack gives a package that holds a shared object under usr/lib a postinst
# and a postrm that run ldconfig, and nothing else. The game's one shared
# object, its sound module in usr/lib/marvesto, is loaded by its path, never
# through ld.so's cache, and Debian runs ldconfig from a trigger of its own
# where needed (lintian: maintscript-calls-ldconfig). Such scripts are taken
# out and the package is put back together with dpkg-deb; any other
# maintainer script is kept.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  if(NOT deb MATCHES "\\.deb$")
    continue()
  endif()
  set(tree "${deb}.tree")
  file(REMOVE_RECURSE "${tree}")
  execute_process(COMMAND dpkg-deb -R "${deb}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
  set(removed "")
  foreach(script postinst postrm)
    if(EXISTS "${tree}/DEBIAN/${script}")
      file(READ "${tree}/DEBIAN/${script}" text)
      if(text MATCHES "^#!/bin/sh\n+set -e\n+if \\[ \"\\$1\" = \"(configure|remove)\" \\]; then\n\tldconfig\nfi\n*$")
        file(REMOVE "${tree}/DEBIAN/${script}")
        list(APPEND removed ${script})
      endif()
    endif()
  endforeach()
  if(removed)
    list(JOIN removed " and " removed)
    execute_process(COMMAND dpkg-deb --root-owner-group -b "${tree}" "${deb}"
      OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    message(STATUS "${deb}: took out the ldconfig-only ${removed}")
  endif()
  file(REMOVE_RECURSE "${tree}")
endforeach()
