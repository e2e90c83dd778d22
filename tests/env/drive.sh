# The shop's drive C: a test works on, with the folders of the layouts the
# program knows: the Spanish one ("Archivos de programa", and the desktop
# "Documents and Settings/<user>/Escritorio") and the later one ("Program Files",
# "Users/<user>/Desktop"). Natively it is a folder in the test's scratch folder
# ($work, see work.sh), handed to the program through TALLIMO_ROOT and removed
# with it; under Wine it is the prefix's drive_c, where Wine made the later
# layout's folders and drive_spanish adds the Spanish ones.
#   drive_at DIR       the drive at DIR as it is
#   drive_native DIR   both layouts under DIR; exports TALLIMO_ROOT=DIR
#   drive_spanish DIR  the Spanish layout's folders under DIR
#   drive_test         an end-to-end test's drive: E2E_DRIVE_C when a Wine wrapper
#                      made it, else $work/C made by drive_native
# Each sets drive (its root) and desktop (the Spanish layout's desktop).
drive_at() {
  drive=$1
  desktop="$drive/Documents and Settings/$(id -un)/Escritorio"
}

drive_spanish() {
  drive_at "$1"
  mkdir -p "$drive/Archivos de programa" "$desktop"
}

drive_native() {
  drive_spanish "$1"
  mkdir -p "$drive/Program Files" "$drive/Users/$(id -un)/Desktop"
  export TALLIMO_ROOT=$drive
}

drive_test() {
  if [ -n "${E2E_DRIVE_C:-}" ]; then drive_at "$E2E_DRIVE_C"; else drive_native "$work/C"; fi
}
