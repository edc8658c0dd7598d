# Replaces the build folder's copy of a harness's seed corpus (SOURCE) with a
# fresh one (DEST), so that fuzz runs never write into the source tree.
file(REMOVE_RECURSE "${DEST}")
file(COPY "${SOURCE}/" DESTINATION "${DEST}")
