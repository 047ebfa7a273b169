# Run by cpack between staging and packing: with SOURCE_DATE_EPOCH set (scripts/release), every
# staged file and folder takes that time, which the zip and the installer then store.
if(DEFINED ENV{SOURCE_DATE_EPOCH} AND IS_DIRECTORY "${CPACK_TEMPORARY_DIRECTORY}")
  execute_process(COMMAND find "${CPACK_TEMPORARY_DIRECTORY}" -exec touch -h -d "@$ENV{SOURCE_DATE_EPOCH}" {} +
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Could not date the staged files")
  endif()
endif()
