//Maya ASCII 2024 scene
//Name: near.ma
createNode transform -n "beside";
// End of near.ma
