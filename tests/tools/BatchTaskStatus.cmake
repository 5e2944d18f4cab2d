# What a render-farm task sees of the batch host: the exit status and the reason on standard
# error. A refused scene, a missing scene, a failed write of the animation file and a failed
# frame of a mesh sequence each exit non-zero with exactly one "// Error:" line, the last line
# on standard error, naming what failed; a frame range writes exactly its frames.
# cmake -DMINIHOST=... -DPLUGIN=... -DEXAMPLES=... -DWORK=... -P BatchTaskStatus.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/refused.ma "//Maya ASCII 2024 scene\ncreateNode transform -n \"open;\n")
set(failures "")

# The MEL of a task, in a file (a CMake list would split the text at its semicolons).
function(task_script name text)
  file(WRITE ${WORK}/${name}.mel "${text}\n")
endfunction()

# Runs the batch host; sets status, out, err, errorLines (the "// Error:" lines) and lastLine.
function(run_task)
  execute_process(COMMAND ${MINIHOST} -s ${EXAMPLES} -p ${PLUGIN} ${ARGN}
                  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status
                  OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
  string(STRIP "${err}" stripped)
  string(REPLACE ";" "," stripped "${stripped}")  # the lines become a CMake list below
  string(REPLACE "\n" ";" lines "${stripped}")
  set(errorLines "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^// Error:")
      list(APPEND errorLines "${line}")
    endif()
  endforeach()
  list(LENGTH lines count)
  set(lastLine "")
  if(count GREATER 0)
    list(GET lines -1 lastLine)
  endif()
  foreach(v status out err errorLines lastLine)
    set(${v} "${${v}}" PARENT_SCOPE)
  endforeach()
endfunction()

function(expect_refusal name wantStatus pattern)
  list(LENGTH errorLines n)
  if(NOT status EQUAL wantStatus OR NOT n EQUAL 1 OR NOT lastLine MATCHES "^// Error:"
     OR NOT lastLine MATCHES "${pattern}")
    set(failures "${failures}\n${name}: status ${status} (wanted ${wantStatus}), ${n} error lines, last line '${lastLine}', wanted one error line matching '${pattern}'\nstderr:\n${err}" PARENT_SCOPE)
  else()
    message(STATUS "ok: ${name}: ${lastLine}")
  endif()
endfunction()

task_script(export "file -exportAll -type \"VXR Animation\" \"refused.vxranim\";")
run_task(refused.ma export.mel)
expect_refusal("refused scene" 1 "refused\\.ma:2: unterminated string")
if(EXISTS ${WORK}/refused.vxranim)
  set(failures "${failures}\nrefused scene: an animation file was written anyway")
endif()

task_script(reached "print \"not reached\\n\";")
run_task(missing.ma reached.mel)
expect_refusal("missing scene" 1 "missing\\.ma")
if(out MATCHES "not reached")
  set(failures "${failures}\nmissing scene: the commands after it ran")
endif()

task_script(badanim "file -exportAll -type \"VXR Animation\" \"no/such/folder/shot.vxranim\";")
run_task(${EXAMPLES}/shot.ma badanim.mel)
expect_refusal("failed animation write" 1 "no/such/folder/shot\\.vxranim")

task_script(badmesh "select -r ground; source \"export_mesh_sequence.mel\";
export_mesh_sequence_range(\"no/such/folder/ground\", 5, 7); print \"not reached\\n\";")
run_task(${EXAMPLES}/shot.ma badmesh.mel)
expect_refusal("failed mesh frame" 1 "frame 5 of \"no/such/folder/ground\" could not be written")
if(out MATCHES "not reached")
  set(failures "${failures}\nfailed mesh frame: the commands after it ran")
endif()

run_task(--no-such-option)
if(NOT status EQUAL 2)
  set(failures "${failures}\nbad command line: status ${status}, wanted 2")
endif()

# A task's frame range: exactly frames 5 to 7, status 0, no error line.
task_script(range "select -r ground; source \"export_mesh_sequence.mel\";
export_mesh_sequence_range(\"ground\", 5, 7);")
run_task(${EXAMPLES}/shot.ma range.mel)
file(GLOB written RELATIVE ${WORK} ${WORK}/ground.*.vxrmesh)
list(SORT written)
if(NOT status EQUAL 0 OR errorLines OR NOT written STREQUAL "ground.0005.vxrmesh;ground.0006.vxrmesh;ground.0007.vxrmesh")
  set(failures "${failures}\nframe range 5..7: status ${status}, files '${written}', stderr:\n${err}")
else()
  message(STATUS "ok: frame range 5..7 wrote ${written}")
endif()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
