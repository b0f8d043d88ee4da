# The Debian package: cpack -G DEB in a build folder writes
# quorvix_<version>_<arch>.deb holding exactly what cmake --install installs,
# under /usr. Its library dependencies are found by dpkg-shlibdeps.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvix)
set(CPACK_PACKAGE_VENDOR "The Quorvix developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Quorvix developers <developers@quorvix.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "matrix calculator for real and complex matrices")
set(CPACK_PACKAGE_DESCRIPTION
"Quorvix calculates with two matrices, typed as plain text with real, complex
or polar elements, and a coefficient x: sums, products, quotients, powers,
element-wise and logical operations, transpose, inverse, determinant, rank,
trace, norm, the LU, QR and Cholesky (LDL') factorizations, eigenvalues and
the singular value decomposition. Results are printed with a chosen precision
and complex format. Projects keep both matrices in a file.
")
if(TARGET quorvix)
  string(APPEND CPACK_PACKAGE_DESCRIPTION "
This package holds the window, quorvix, and quorvix-cli, which runs the same
commands from a shell.")
else()
  string(APPEND CPACK_PACKAGE_DESCRIPTION "
This package holds quorvix-cli, which runs the calculator's commands from a
shell; it was built without the window.")
endif()
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Installed programs without their debugging information, as cmake --install
# --strip leaves them.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME quorvix)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUORVIX_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# "Manual" hands matrix.chm to the desktop, which needs a CHM viewer.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xchm | kchmviewer")

include(CPack)
