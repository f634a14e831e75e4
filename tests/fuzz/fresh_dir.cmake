# cmake -DDIR=<folder> -P fresh_dir.cmake: empties the folder (creating it).
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR})
